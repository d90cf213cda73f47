// vantrel simulate CONFIG SCENARIO: plays a scenario frame by frame against the simulated game.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/text.h"
#include "commands.h"
#include "plugin/plugin.h"
#include "plugin_session.h"
#include "profiles/driver.h"
#include "run_observer.h"
#include "scenario.h"
#include "scenario_directives.h"
#include "sim_world.h"
#include "trace_sources.h"
#include "values/registry.h"
#include "values/value_table.h"

namespace {

class ScenarioPlayer final : public ScenarioRun {
 public:
  ScenarioPlayer(std::string scenarioName, std::vector<std::string> trace, std::FILE* traceOut,
                 RunObserver* observer)
      : scenarioName_(std::move(scenarioName)),
        trace_(std::move(trace)),
        traceOut_(traceOut),
        observer_(observer) {}

  void Play(const std::vector<ScenarioLine>& lines) {
    PrintChanges();
    if (observer_) observer_->Observe(time_, game);
    for (const ScenarioLine& line : lines) {
      if (Stopped()) break;
      Run(line);
    }
    std::printf("%d expectations met, %d failed\n", met_, failed_);
    if (observer_ && !observer_->Finish(time_)) error_ = true;
  }

  bool Succeeded() const { return failed_ == 0 && !error_; }

  void RunFrames(int32_t count) override {
    for (int32_t i = 0; i < count && !Stopped(); ++i) RunFrame();
  }

  void Check(bool ok, const std::string& expected, const std::string& got) override {
    if (ok) {
      ++met_;
      return;
    }
    ++failed_;
    std::printf("%s:%d: expected %s, got %s\n", scenarioName_.c_str(), line_->number,
                expected.c_str(), got.c_str());
  }

 private:
  void Run(const ScenarioLine& line) {
    line_ = &line;
    const int failedBefore = failed_;
    std::string error;
    const Directive* directive = FindDirective(line, error);
    DirectiveArgs args(line);
    if (!directive) {
      Error(error);
    } else if (!directive->handler(*this, args)) {
      Error(std::string(directive->words) + ": " + args.problem);
    }
    if (observer_) observer_->Played(time_, line, failed_ != failedBefore);
  }

  void Error(const std::string& message) {
    error_ = true;
    std::fflush(stdout);
    std::fprintf(stderr, "%s:%d: %s\n", scenarioName_.c_str(), line_->number, message.c_str());
  }

  // --- Frames ---

  bool Stopped() const { return observer_ && observer_->Done(time_); }

  void RunFrame() {
    game.PlayFrame(activeSeconds, frameSeconds);
    // Only what this frame's own drain printed.
    for (const std::string& text : TakeConsoleLines()) {
      std::printf("%9.3f  %s\n", time_, text.c_str());
      consoleSinceExpect.push_back(text);
      consoleShown.push_back(text);
    }
    PrintChanges();
    PrintTrace();
    time_ += frameSeconds;
    if (observer_) observer_->Observe(time_, game);
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
    const TraceSource* source = FindTraceSource(name);
    if (!source) return name;
    std::string header;
    for (const std::string& column : TraceColumnNames(*source)) {
      header += (header.empty() ? "" : ",") + column;
    }
    return header;
  }

  std::string TraceColumns(const std::string& name) const {
    const TraceSource* source = FindTraceSource(name);
    if (!source) {
      const ValueData data = ReadSessionValue(name);
      return data.isSet ? ValueText(data) : "";
    }
    double numbers[kMaxTraceColumns];
    source->read(game, numbers);
    std::string columns;
    const size_t count = TraceColumnNames(*source).size();
    for (size_t i = 0; i < count; ++i) {
      char cell[32] = "";
      if (!std::isnan(numbers[i])) std::snprintf(cell, sizeof cell, "%.4f", numbers[i]);
      columns += (i ? "," : "") + std::string(cell);
    }
    return columns;
  }

  std::string scenarioName_;
  std::vector<std::string> trace_;
  std::FILE* traceOut_;
  RunObserver* observer_;
  const ScenarioLine* line_ = nullptr;
  double time_ = 0;
  std::string lastProfile_ = "None";
  std::vector<int32_t> lastActive_;
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
  if (FindTraceSource(name)) return true;
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
