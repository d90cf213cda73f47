// vantrel simulate CONFIG SCENARIO: plays a scenario frame by frame against the simulated game.
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "config/literals.h"
#include "base/text.h"
#include "plugin/plugin.h"
#include "plugin_session.h"
#include "profiles/driver.h"
#include "run_observer.h"
#include "scenario.h"
#include "sim_world.h"
#include "values/registry.h"
#include "values/value_table.h"
#include "world_edits.h"

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

class ScenarioPlayer {
 public:
  ScenarioPlayer(std::string scenarioName, std::vector<std::string> trace, std::FILE* traceOut,
                 RunObserver* observer)
      : scenarioName_(std::move(scenarioName)),
        trace_(std::move(trace)),
        traceOut_(traceOut),
        observer_(observer) {}

  void Play(const std::vector<ScenarioLine>& lines) {
    PrintChanges();
    if (observer_) observer_->Observe(time_);
    for (const ScenarioLine& line : lines) {
      if (Stopped()) break;
      Run(line);
    }
    std::printf("%d expectations met, %d failed\n", met_, failed_);
    if (observer_ && !observer_->Finish(time_)) error_ = true;
  }

  bool Succeeded() const { return failed_ == 0 && !error_; }

 private:
  void Run(const ScenarioLine& line) {
    line_ = &line;
    const std::vector<std::string>& w = line.words;
    const std::string& d = w[0];
    if (d == "frame" && w.size() == 2) {
      float seconds = 0;
      if (ReadFloat(w[1], seconds) && seconds > 0) activeSeconds_ = frameSeconds_ = seconds;
      else Error("frame needs a duration above 0");
    } else if (d == "frametime" && w.size() == 3) {
      float a = 0, b = 0;
      if (ReadFloat(w[1], a) && a >= 0 && ReadFloat(w[2], b) && b > 0) {
        activeSeconds_ = a;
        frameSeconds_ = b;
      } else {
        Error("frametime needs A of 0 or more and B above 0");
      }
    } else if (d == "frames" && w.size() == 2) {
      int32_t count = 0;
      if (ReadInt(w[1], count) && count >= 0) RunFrames(count);
      else Error("frames needs a count of 0 or more");
    } else if (d == "wait" && w.size() == 2) {
      float seconds = 0;
      const int32_t frames = ReadFloat(w[1], seconds) && seconds >= 0 ? FramesFor(seconds) : -1;
      if (frames >= 0) RunFrames(frames);
      else Error("wait needs seconds (at most 2147483647 frames)");
    } else if (d == "set" && w.size() == 3) {
      if (!SetGameState(w[1], w[2])) Error("cannot set '" + w[1] + "' to '" + w[2] + "'");
    } else if (d == "menu" && w.size() == 3 && (w[2] == "open" || w[2] == "close")) {
      if (w[2] == "open") Sim().OpenMenu(w[1]);
      else Sim().CloseMenu(w[1]);
    } else if (d == "hand" && (w.size() == 3 || w.size() == 4)) {
      if (!SetHand(w)) Error("unknown hand '" + TextAfterWords(*line_, 1) + "'");
    } else if (d == "mount" && w.size() == 1) {
      Plugin::Instance().OnMountStart(FollowedActor());
    } else if (d == "dismount" && w.size() == 1) {
      Plugin::Instance().OnDismountStart(FollowedActor());
    } else if (d == "key" && w.size() == 3 && (w[2] == "down" || w[2] == "up")) {
      int32_t code = 0;
      if (ReadInt(w[1], code)) Sim().SetKeyDown(code, w[2] == "down");
      else Error("key needs a virtual-key code");
    } else if (d == "window" && w.size() == 2 && (w[1] == "active" || w[1] == "inactive")) {
      // The game's window comes back after "window none".
      if (Sim().uiState && Sim().uiState->window == 0) Sim().uiState->window = gameWindow_;
      const uintptr_t game = Sim().uiState ? Sim().uiState->window : 0;
      Sim().activeWindow = w[1] == "active" ? game : game + 1;
    } else if (d == "window" && w.size() == 2 && w[1] == "none") {
      if (!Sim().uiState) return Error("window none needs the ui object");
      if (Sim().uiState->window != 0) gameWindow_ = Sim().uiState->window;
      Sim().uiState->window = 0;
    } else if (d == "game" && w.size() == 2) {
      if (!SetGameRunning(w[1])) Error("game needs running|paused and the ui and main objects");
    } else if (d == "poll" && w.size() == 2) {
      int32_t answer = 0;
      if (Sim().inputManager && ReadInt(w[1], answer)) {
        Sim().inputManager->pollStep = static_cast<uint32_t>(answer);
      } else {
        Error("poll needs a number and the input object");
      }
    } else if ((d == "remove" || d == "restore") && w.size() == 2) {
      if (!SetPresence(w[1], d == "restore")) Error("cannot " + d + " '" + w[1] + "'");
    } else if (d == "answer" && w.size() == 3) {
      if (!SetAnswer(w[1], w[2])) Error("cannot answer '" + w[1] + "' with '" + w[2] + "'");
    } else if (w.size() == 3 && (w[1] == "add" || w[1] == "remove") && IsFactDirective(d)) {
      if (!EditFact(d, w[1] == "add", w[2])) Error("cannot " + w[1] + " " + d + " '" + w[2] + "'");
    } else if (d == "node" && w.size() >= 3) {
      if (!EditNode(w)) Error("bad node directive");
    } else if (d == "look" && w.size() == 3) {
      float dx = 0, dy = 0;
      if (ReadFloat(w[1], dx) && ReadFloat(w[2], dy)) {
        pendingLook_[0] += dx;
        pendingLook_[1] += dy;
      } else {
        Error("look needs two numbers");
      }
    } else if (d == "camera" && w.size() == 5 && w[1] == "yaw" && w[3] == "pitch") {
      float yaw = 0, pitch = 0;
      HostCameraState* state = Sim().CurrentCameraState();
      if (state && ReadFloat(w[2], yaw) && ReadFloat(w[4], pitch)) {
        state->yaw = static_cast<float>(yaw * kDegrees);
        state->pitch = static_cast<float>(pitch * kDegrees);
      } else {
        Error("camera needs a camera state and two angles");
      }
    } else if (d == "crosshair" && (w.size() == 2 || w.size() == 3)) {
      if (!SetCrosshair(w)) Error("crosshair needs a form id [actor|reference] or none");
    } else if (d == "pick" && (w.size() == 2 || w.size() == 4)) {
      if (!SetPick(w)) Error("pick needs X Y Z or none");
    } else if (d == "expect" && w.size() >= 2) {
      Expect(w);
    } else {
      Error("unknown directive '" + d + "'");
    }
  }

  // --- Frames ---

  // -1 when the count does not fit an int32 (the conversion would be undefined).
  int32_t FramesFor(float seconds) const {
    const double frames = static_cast<double>(seconds) / frameSeconds_;
    const double whole = std::floor(frames);
    const double count = frames - whole < 0.000001 ? whole : whole + 1;
    return count <= INT32_MAX ? static_cast<int32_t>(count) : -1;
  }

  void RunFrames(int32_t count) {
    for (int32_t i = 0; i < count && !Stopped(); ++i) RunFrame();
  }

  bool Stopped() const { return observer_ && observer_->Done(time_); }

  void RunFrame() {
    Sim().frameTimeA = activeSeconds_;
    Sim().frameTimeB = frameSeconds_;
    // The game hands every frame's look input to the plug-in, moved or not.
    Plugin& plugin = Plugin::Instance();
    plugin.controller.AddLookInput(pendingLook_);
    pendingLook_[0] = pendingLook_[1] = 0;
    plugin.RunFrame();
    // Only what this frame's own drain printed.
    for (const std::string& text : TakeConsoleLines()) {
      std::printf("%9.3f  %s\n", time_, text.c_str());
      consoleSinceExpect_.push_back(text);
      consoleShown_.push_back(text);
    }
    PrintChanges();
    PrintTrace();
    time_ += frameSeconds_;
    if (observer_) observer_->Observe(time_);
  }

  // Current profile and parallel profile states, printed when they change.
  void PrintChanges() {
    Plugin::Instance().WithSession([this](const Session& session) { PrintChanges(session); });
  }

  void PrintChanges(const Session& session) {
    const std::string current = session.currentProfile ? session.currentProfile->name : "None";
    if (current != lastProfile_) {
      std::printf("%9.3f  profile %s -> %s\n", time_, lastProfile_.c_str(), current.c_str());
      lastProfile_ = current;
    }
    if (lastActive_.size() != session.profiles.size()) {
      lastActive_.assign(session.profiles.size(), 0);
    }
    for (size_t i = 0; i < session.profiles.size(); ++i) {
      const Profile& profile = session.profiles[i];
      if (profile.type != ProfileType::Parallel || profile.active == lastActive_[i]) continue;
      std::printf("%9.3f  parallel %s %s\n", time_, profile.name.c_str(),
                  profile.active ? "active" : "inactive");
      lastActive_[i] = profile.active;
    }
  }

  // --- Trace ---

  void PrintTrace() {
    if (trace_.empty()) return;
    std::string row;
    for (const std::string& name : trace_) row += "," + TraceColumns(name);
    if (row == lastTraceRow_) return;
    if (lastTraceRow_.empty()) {
      std::string header = "time";
      for (const std::string& name : trace_) header += "," + TraceHeader(name);
      std::fprintf(traceOut_, "%s\n", header.c_str());
    }
    lastTraceRow_ = row;
    std::fprintf(traceOut_, "%.4f%s\n", time_, row.c_str());
  }

  static std::string TraceHeader(const std::string& name) {
    if (name == "position") return "position.x,position.y,position.z";
    if (name == "rotation") {
      std::string header;
      for (int i = 0; i < 9; ++i) header += (i ? ",rotation." : "rotation.") + std::to_string(i);
      return header;
    }
    return name;
  }

  static std::string TraceColumns(const std::string& name) {
    const CameraController& controller = Plugin::Instance().controller;
    char buffer[32];
    std::string columns;
    auto add = [&](float v) {
      std::snprintf(buffer, sizeof buffer, "%.4f", v);
      columns += (columns.empty() ? "" : ",") + std::string(buffer);
    };
    if (name == "position") {
      for (float v : controller.position) add(v);
      return columns;
    }
    if (name == "rotation") {
      for (float v : controller.rotation) add(v);
      return columns;
    }
    const ValueData data = ReadValue(name);
    return data.isSet ? FormatValue(data) : "";
  }

  // --- Expectations ---

  void Expect(const std::vector<std::string>& w) {
    const std::string& what = w[1];
    if (what == "profile" && w.size() == 3) {
      std::string got = "None";
      Plugin::Instance().WithSession([&](const Session& session) {
        if (session.currentProfile) got = session.currentProfile->name;
      });
      Check(got == w[2], "profile " + w[2], "profile " + got);
    } else if ((what == "active" || what == "inactive") && w.size() == 3) {
      std::optional<bool> active;  // set when the parallel profile exists
      Plugin::Instance().WithSession([&](Session& session) {
        const Profile* profile = FindProfile(session, w[2]);
        if (profile && profile->type == ProfileType::Parallel) active = profile->active != 0;
      });
      if (!active) {
        Check(false, what + " " + w[2], "no parallel profile " + w[2]);
      } else {
        const bool wanted = what == "active";
        Check(*active == wanted, what + " " + w[2], (*active ? "active " : "inactive ") + w[2]);
      }
    } else if (what == "value" && w.size() == 4) {
      ExpectValue(w[2], w[3]);
    } else if (what == "console" && w.size() >= 3) {
      const std::string& text = line_->rest;
      bool found = false;
      for (const std::string& shown : consoleSinceExpect_) found = found || shown == text;
      std::string got = "no such line";
      if (!consoleSinceExpect_.empty()) got = "'" + consoleSinceExpect_.back() + "' last";
      Check(found, "console '" + text + "'", got);
      consoleSinceExpect_.clear();
    } else if (what == "no" && w.size() >= 4 && w[2] == "console") {
      const std::string text = TextAfterWords(*line_, 3);
      std::string got = "no such line";
      for (const std::string& shown : consoleShown_) {
        if (shown.find(text) != std::string::npos) got = "'" + shown + "'";
      }
      Check(got == "no such line", "no console line with '" + text + "'", got);
    } else if (what == "camera" && w.size() == 4 && w[2] == "active") {
      const bool active = Plugin::Instance().controller.IsHeadCameraActive();
      if (w[3] != "true" && w[3] != "false") return Error("expect camera active true|false");
      Check(active == (w[3] == "true"), "camera active " + w[3],
            std::string("camera active ") + (active ? "true" : "false"));
    } else if (what == "camera" && w.size() == 6 && (w[2] == "position" || w[2] == "forward")) {
      float wanted[3];
      if (!ReadFloat(w[3], wanted[0]) || !ReadFloat(w[4], wanted[1]) ||
          !ReadFloat(w[5], wanted[2])) {
        return Error("expect camera " + w[2] + " needs X Y Z");
      }
      const CameraController& c = Plugin::Instance().controller;
      const bool position = w[2] == "position";
      const float got[3] = {position ? c.position[0] : c.rotation[1],
                            position ? c.position[1] : c.rotation[4],
                            position ? c.position[2] : c.rotation[7]};
      const float tolerance = position ? 0.01f : 0.001f;
      bool close = true;
      for (int i = 0; i < 3; ++i) close = close && std::fabs(got[i] - wanted[i]) <= tolerance;
      Check(close, "camera " + w[2] + " " + Vector(wanted), "camera " + w[2] + " " + Vector(got));
    } else if (what == "focus" && (w.size() == 3 || w.size() == 5)) {
      ExpectFocus(w);
    } else if (what == "target" && w.size() == 3) {
      int32_t formId = 0;
      if (!ReadInt(w[2], formId)) return Error("expect target needs a form id");
      const uint32_t got = Plugin::Instance().controller.followedFormId;
      Check(got == static_cast<uint32_t>(formId), "target " + Hex(static_cast<uint32_t>(formId)),
            "target " + Hex(got));
    } else {
      Error("unknown expectation '" + what + "'");
    }
  }

  // "expect focus X Y Z|none": the point the focus keeps in view, within 0.01.
  void ExpectFocus(const std::vector<std::string>& w) {
    const std::optional<Vector3>& focus = Plugin::Instance().controller.focusPoint;
    const float point[3] = {focus ? focus->x : 0, focus ? focus->y : 0, focus ? focus->z : 0};
    const std::string got = focus ? "focus " + Vector(point) : "no focus";
    if (w.size() == 3) {
      if (w[2] != "none") return Error("expect focus needs X Y Z or none");
      Check(!focus, "no focus", got);
      return;
    }
    float wanted[3];
    for (int i = 0; i < 3; ++i) {
      if (!ReadFloat(w[2 + i], wanted[i])) return Error("expect focus needs X Y Z or none");
    }
    bool close = focus.has_value();
    for (int i = 0; close && i < 3; ++i) close = std::fabs(point[i] - wanted[i]) <= 0.01f;
    Check(close, "focus " + Vector(wanted), got);
  }

  void ExpectValue(const std::string& name, const std::string& literal) {
    Value* value = FindSessionValue(name);
    if (!value) return Error("unknown value '" + name + "'");
    const ValueData got = ReadValue(name);
    const std::string gotText = got.isSet ? FormatValue(got) : "unset";
    if (literal == "unset") {
      Check(!got.isSet, name + " unset", name + " " + gotText);
      return;
    }
    const ValueData wanted = ParseValueText(value->type, literal);
    if (!wanted.isSet) return Error("'" + literal + "' is not a value of " + name + "'s type");
    bool equal = got.isSet && got.type == wanted.type;
    if (equal && wanted.type == ValueType::Float) {
      equal = std::fabs(got.AsFloat() - wanted.AsFloat()) <= 0.001f;
    } else if (equal && wanted.type == ValueType::String) {
      equal = got.text == wanted.text;
    } else if (equal) {
      equal = got.payload == wanted.payload;
    }
    Check(equal, name + " " + FormatValue(wanted), name + " " + gotText);
  }

  void Check(bool ok, const std::string& expected, const std::string& got) {
    if (ok) {
      ++met_;
      return;
    }
    ++failed_;
    std::printf("%s:%d: expected %s, got %s\n", scenarioName_.c_str(), line_->number,
                expected.c_str(), got.c_str());
  }

  void Error(const std::string& message) {
    error_ = true;
    std::fflush(stdout);
    std::fprintf(stderr, "%s:%d: %s\n", scenarioName_.c_str(), line_->number, message.c_str());
  }

  // --- Reading ---

  // As the plug-in would read it, but without its side effects (no base captured).
  static ValueData ReadValue(const std::string& name) {
    return Plugin::Instance().WithSession([&](Session& session) {
      Value* value = FindValue(session.values, name);
      return value ? PeekValue(session.values, *value, true) : ValueData{};
    });
  }

  static std::string FormatValue(const ValueData& data) {
    char buffer[32];
    switch (data.type) {
      case ValueType::Bool: return data.AsBool() ? "true" : "false";
      case ValueType::Int: return std::to_string(data.AsInt());
      case ValueType::Float:
        std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(data.AsFloat()));
        return buffer;
      case ValueType::String: return "'" + data.text + "'";
      default: return "?";
    }
  }

  static std::string Vector(const float v[3]) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "(%.3f, %.3f, %.3f)", static_cast<double>(v[0]),
                  static_cast<double>(v[1]), static_cast<double>(v[2]));
    return buffer;
  }

  static std::string Hex(uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", v);
    return buffer;
  }

  std::string scenarioName_;
  std::vector<std::string> trace_;
  std::FILE* traceOut_;
  RunObserver* observer_;
  const ScenarioLine* line_ = nullptr;
  float frameSeconds_ = 1.0f / 60;   // the game's frame time B, which the plug-in ticks by
  float activeSeconds_ = 1.0f / 60;  // frame time A, which the mount windows count
  double time_ = 0;
  float pendingLook_[2] = {0, 0};
  uintptr_t gameWindow_ = 0;  // the game's window handle while "window none" holds it
  std::string lastProfile_ = "None";
  std::vector<int32_t> lastActive_;
  std::vector<std::string> consoleSinceExpect_;
  std::vector<std::string> consoleShown_;
  std::string lastTraceRow_;
  int met_ = 0;
  int failed_ = 0;
  bool error_ = false;
};

// A scenario is a small text file; a device, a pipe or a huge file is refused, not read forever.
bool ReadFile(const std::string& path, std::string& text) {
  constexpr uintmax_t kMaxScenarioBytes = uintmax_t{64} << 20;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxScenarioBytes) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  text = bytes.str();
  return true;
}

}  // namespace

bool IsTraceName(const std::string& name) {
  if (name == "position" || name == "rotation") return true;
  for (const ValueTableRow& row : kValueTable) {
    if (EqualIgnoringCase(name, row.name)) return true;
  }
  return false;
}

int RunSimulate(const SimulateOptions& options) {
  std::string scenarioText;
  if (!ReadFile(options.scenarioPath, scenarioText)) {
    std::fprintf(stderr, "%s: cannot read the scenario\n", options.scenarioPath.c_str());
    return 1;
  }
  StartPlugin(options.configPath);
  if (ConfigurationMissing()) {
    // The game's console lines of its first frame, then nothing to play.
    Plugin::Instance().RunFrame();
    for (const std::string& line : TakeConsoleLines()) std::fprintf(stderr, "%s\n", line.c_str());
    return 1;
  }
  std::FILE* traceOut = stdout;
  if (!options.traceOut.empty()) traceOut = std::fopen(options.traceOut.c_str(), "w");
  if (!traceOut) {
    std::fprintf(stderr, "vantrel: cannot write the trace to %s\n", options.traceOut.c_str());
    return 1;
  }
  ScenarioPlayer player(options.scenarioPath, options.trace, traceOut, options.observer);
  player.Play(ParseScenario(scenarioText));
  if (traceOut != stdout) std::fclose(traceOut);
  return player.Succeeded() ? 0 : 1;
}
