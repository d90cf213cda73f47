// `simulate --explain SECONDS`: why each profile is or is not current or active then.

#include "explain.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "host_test_names.h"
#include "profiles/evaluators.h"
#include "plugin/plugin.h"
#include "profiles/profile.h"
#include "profiles/session.h"
#include "values/camera_state_id.h"
#include "values/registry.h"
#include "world_edits.h"

namespace {

// Frame times add up in float steps; a stop time within this of a frame's end is reached.
constexpr double kTimeSlack = 1e-6;

const char* OperatorSymbol(int32_t op) {
  static const char* const kSymbols[] = {"==", "!=", ">", "<", ">=", "<=", "&", "~"};
  return op >= 0 && op < 8 ? kSymbols[op] : "?";
}

const char* KindName(ProfileType type) {
  switch (type) {
    case ProfileType::Exclusive:
      return "exclusive";
    case ProfileType::Parallel:
      return "parallel";
    default:
      return "default";
  }
}

std::string Seconds(float seconds) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f s", static_cast<double>(seconds));
  return buffer;
}

std::string Format(const ValueData& data, bool formId) {
  if (!data.isSet) return "unset";
  char buffer[32];
  switch (data.type) {
    case ValueType::Bool:
      return data.AsBool() ? "true" : "false";
    case ValueType::Int:
      std::snprintf(buffer, sizeof buffer, formId ? "0x%08X" : "%d", data.AsInt());
      return buffer;
    case ValueType::Float:
      std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(data.AsFloat()));
      return buffer;
    case ValueType::String:
      return "'" + data.text + "'";
    default:
      return "?";
  }
}

// What the condition's evaluator compares: the value as the evaluator reads it (the host's
// own reading for a mirrored setting), or for a host test whether the actor has it.
std::string LiveText(Session& session, const FrameContext& frame, const Condition& condition) {
  if (condition.evaluator == CompareValue) {
    Value* value = ValueAt(session.values, condition.valueIndex);
    if (value == nullptr) return "no value";
    ValueData live = PeekValue(session.values, *value, true);
    if (live.isSet && value->readBack != nullptr) {
      ValueData host = value->readBack(session.values);
      if (host.isSet && host.type == live.type) live = host;
    }
    return Format(live, false);
  }
  if (frame.followedActor == nullptr) return "no actor";
  if (!condition.operand.isSet) return "operand did not parse";
  Condition asked = condition;  // a copy: the keyword tests rewrite their operand
  asked.op = ConditionOp::Equal;
  return asked.evaluator(session, frame, &asked) ? "the actor has it" : "the actor lacks it";
}

struct ProfileReport {
  const Profile* profile = nullptr;
  bool holds = false;  // every condition holds, and there is at least one
  std::vector<std::string> conditionLines;
};

ProfileReport Report(Session& session, const FrameContext& frame, const Profile& profile) {
  ProfileReport report;
  report.profile = &profile;
  report.holds = !profile.conditions.empty();
  for (const Condition& condition : profile.conditions) {
    Condition copy = condition;
    const bool holds = copy.evaluator != nullptr && copy.evaluator(session, frame, &copy);
    report.holds = report.holds && holds;
    const char* hostTest = HostTestNameOf(condition.evaluator);
    const Value* value = ValueAt(session.values, condition.valueIndex);
    const std::string name = hostTest ? hostTest : value ? value->name : "?";
    report.conditionLines.push_back("  line " + std::to_string(condition.line) + ": " + name +
                                    " " + OperatorSymbol(condition.op) + " " +
                                    Format(condition.operand.ToValueData(), hostTest != nullptr) +
                                    "  (live: " + LiveText(session, frame, condition) +
                                    ")  " + (holds ? "holds" : "fails"));
  }
  return report;
}

std::string StateText(const Session& session, const Profile& profile) {
  std::string state;
  if (session.currentProfile == &profile) {
    state = "current";
    if (session.profileLockSeconds != 0) {
      state += ", held by a lock for " + Seconds(session.profileLockSeconds);
    }
  } else {
    state = profile.type == ProfileType::Parallel && profile.active ? "active" : "inactive";
  }
  if (profile.state == ProfileState::Skipped) state += ", skipped";
  if (profile.inhibitSeconds > 0) state += ", inhibited for " + Seconds(profile.inhibitSeconds);
  if (profile.inhibitSeconds < 0) state += ", inhibited until the next load";
  return state;
}

// The evaluation pass's choice with the values as they are now.
const Profile* Chosen(const std::vector<ProfileReport>& reports) {
  for (const ProfileReport& report : reports) {
    const Profile& profile = *report.profile;
    if (profile.type == ProfileType::Exclusive && profile.state == ProfileState::Normal &&
        profile.inhibitSeconds == 0 && report.holds) {
      return &profile;
    }
  }
  return nullptr;
}

std::string WhyCurrent(const Session& session, const std::vector<ProfileReport>& reports) {
  const Profile* current = session.currentProfile;
  if (current == nullptr) return "No profile is current: there is no default profile.";
  const std::string name = current->name;
  if (session.profileLockSeconds != 0) {
    return name + " is current: held by a lock for " + Seconds(session.profileLockSeconds) +
           " from SetProfile or a key; until it runs out evaluation switches nothing.";
  }
  const Profile* chosen = Chosen(reports);
  if (chosen == current) {
    return name + " is current: the first exclusive profile whose conditions all hold.";
  }
  if (chosen == nullptr && current == session.defaultProfile) {
    return name +
           " is current: the default, because no exclusive profile that is neither "
           "skipped nor inhibited has all its conditions holding.";
  }
  if (chosen == nullptr && session.defaultProfile == nullptr) {
    return name +
           " stays current: no exclusive profile holds and there is no default "
           "profile to fall back to.";
  }
  const Profile* next = chosen ? chosen : session.defaultProfile;
  return name + " is current: made so by SetProfile or a key since the last evaluation " +
         "pass; the next pass, in " + Seconds(session.profileUpdateCountdown) + ", makes " +
         next->name + " current.";
}

void PrintReport(Session& session) {
  // Host tests ask about the followed actor, as the evaluation pass does.
  FrameContext frame;
  frame.followedActor = FollowedActor();
  frame.followed = frame.followedActor ? HostActorAsRef(frame.followedActor) : nullptr;
  std::vector<ProfileReport> reports;
  for (const Profile& profile : session.profiles) {
    reports.push_back(Report(session, frame, profile));
    std::printf("%s (line %d): %s, %s\n", profile.name.c_str(), profile.line,
                KindName(profile.type), StateText(session, profile).c_str());
    for (const std::string& line : reports.back().conditionLines) {
      std::printf("%s\n", line.c_str());
    }
  }
  std::printf("%s\n", WhyCurrent(session, reports).c_str());
}

const char* StopReason(CameraStop stop) {
  switch (stop) {
    case CameraStop::NoTarget:
      return "no target: the followed reference is missing or has no loaded 3D";
    case CameraStop::NoCameraState:
      return "no camera state: the game camera is missing or has no current state";
    case CameraStop::EnabledOff:
      return "bEnabled is false";
    case CameraStop::ActivatedOff:
      return "bActivated is false";
    case CameraStop::Activated2Off:
      return "bActivated2 is false";
    case CameraStop::ActivatedLevel:
      return "iActivated is 0 or less";
    default:
      return "";
  }
}

// "yes", or "no: " and the reason; a flag whose precondition is off gives that as its reason.
std::string FlagLine(bool on, bool stoppedHere, const std::string& reason, const char* before) {
  if (on) return "yes";
  return std::string("no: ") + (stoppedHere ? reason : before);
}

// The camera as the update decides it with the world as it is now, and what it holds.
void PrintCamera(CameraController& controller) {
  HostRef* followed = controller.RequestedRef();
  if (followed == nullptr) followed = HostPlayer();
  const bool hasTarget = followed != nullptr && HostRefLoaded3D(followed) != nullptr;
  const int32_t stateId = HostCameraStateIdOrNone();
  const FlagDecision decision = controller.DecideFlags(hasTarget, stateId);
  std::string reason = StopReason(decision.stop);
  if (decision.stop == CameraStop::NotHeadState) {
    reason = "camera state " + std::to_string(stateId) +
             " is not one the head camera takes over (2, 5, 6, 8-12)";
  }
  const bool enabled = decision.flags & ControllerFlag::Enabled;
  const bool activated = decision.flags & ControllerFlag::Activated;
  const bool head = decision.flags & ControllerFlag::HeadCameraActive;
  std::printf("Camera:\n");
  std::printf("  enabled: %s\n", FlagLine(enabled, true, reason, "").c_str());
  std::printf("  activated: %s\n", FlagLine(activated, enabled, reason, "not enabled").c_str());
  std::printf("  head camera: %s\n", FlagLine(head, activated, reason, "not activated").c_str());
  const std::optional<Vector3>& focus = controller.FocusPoint();
  char focusText[96] = "none";
  if (focus) {
    std::snprintf(focusText, sizeof focusText, "(%.3f, %.3f, %.3f)", static_cast<double>(focus->x),
                  static_cast<double>(focus->y), static_cast<double>(focus->z));
  }
  std::printf("  focus point: %s; focus delay: %d frames\n", focusText, controller.FocusDelay());
  const QueuedTurns turns = controller.RemainingTurns();
  std::string queued;
  for (int axis = 0; axis < 2; ++axis) {
    if (turns.items[axis] == 0) continue;
    char text[96];
    std::snprintf(text, sizeof text, "%s%s %d (%g look-input units to add)",
                  queued.empty() ? "" : ", ", axis == 0 ? "horizontal" : "vertical",
                  turns.items[axis], static_cast<double>(turns.left[axis]));
    queued += text;
  }
  std::printf("  queued rotations: %s\n", queued.empty() ? "none" : queued.c_str());
  const uint32_t tracked = controller.HeadTrackedFormId();
  if (tracked == 0) {
    std::printf("  head-tracked actor: none\n");
  } else {
    std::printf("  head-tracked actor: 0x%X\n", tracked);
  }
}

class Explainer : public RunObserver {
 public:
  explicit Explainer(double seconds) : at_(seconds) {}

  void Observe(double, const GameSide&) override {}

  bool Done(double seconds) const override { return seconds + kTimeSlack >= at_; }

  bool Finish(double seconds) override {
    std::printf("\nAt %.3f s", seconds);
    if (seconds + kTimeSlack < at_) std::printf(" (the scenario ends before %.3f s)", at_);
    std::printf(":\n");
    const bool loaded = Plugin::Instance().WithSession([](Session& session) {
      PrintReport(session);
      // The update's settings are read under the session's lock, which this holds.
      PrintCamera(Plugin::Instance().controller);
      return true;
    });
    if (!loaded) std::printf("No configuration is loaded.\n");
    return true;
  }

 private:
  double at_;
};

}  // namespace

std::unique_ptr<RunObserver> MakeExplainer(double seconds) {
  return std::make_unique<Explainer>(seconds);
}
