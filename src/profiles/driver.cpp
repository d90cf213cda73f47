#include "profiles/driver.h"

#include <mutex>
#include <string>

#include "camera/controller.h"
#include "config/diagnostics.h"
#include "config/text.h"
#include "values/registry.h"

namespace {

// Commands run inside the current outermost run, bounding the breadth of a nested chain the way
// kMaxCommandNesting bounds its depth (see driver.h); and whether its stop has been reported.
int32_t chainCommands = 0;
bool chainStopReported = false;

void ReportChainStop(ValueRegistry& registry, const Profile& profile, const char* reason) {
  if (chainStopReported) return;
  chainStopReported = true;
  Log(&registry, "Profile commands of '%s' stopped: %s", profile.name.c_str(), reason);
}

Profile* FirstProfileWithIndex(ValueRegistry& registry, int32_t index, bool exclusiveOnly) {
  for (auto& profile : registry.profiles) {
    if (profile->index != index) continue;
    if (exclusiveOnly && profile->type != ProfileType::Exclusive) continue;
    return profile.get();
  }
  return nullptr;
}

int32_t CameraAtActivation() {
  if (CameraController::Instance().IsHeadCameraState()) return 1;
  return HostCameraStateIdOrNone() == 0 ? 2 : 0;
}

void SwitchIfConditionsHold(Profile* profile, float lockSeconds) {
  if (profile != nullptr && ConditionsHold(profile, true)) SwitchProfile(profile, lockSeconds);
}

// Activation then deactivation commands, the profile's state left as it was.
void RunBothPhases(Profile* profile) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr || profile == nullptr) return;
  StartRecording(profile);
  RunCommands(profile, CommandPhase::OnActivate);
  registry->recordingProfile = nullptr;
  registry->deactivatingProfile = profile;
  RunCommands(profile, CommandPhase::OnDeactivate);
  registry->deactivatingProfile = nullptr;
}

}  // namespace

bool ConditionsHold(Profile* profile, bool whenEmpty) {
  if (profile == nullptr) return false;
  if (profile->conditions.empty()) return whenEmpty;
  ValueRegistry* registry = currentRegistry;
  HostRef* actor = registry ? registry->actor : nullptr;
  HostActor* actorAsCharacter = registry ? registry->actorAsCharacter : nullptr;
  for (auto& condition : profile->conditions) {
    if (condition->evaluator == nullptr) return false;
    if (!condition->evaluator(actor, actorAsCharacter, condition.get())) return false;
  }
  return true;
}

void RunCommands(Profile* profile, CommandPhase phase) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr || profile == nullptr) return;
  if (registry->commandNesting == 0) {
    chainCommands = 0;
    chainStopReported = false;
  }
  if (registry->commandNesting >= kMaxCommandNesting) {
    ReportChainStop(*registry, *profile, "nested too deeply.");
    return;
  }
  ++registry->commandNesting;
  // Index loop: a handler may not add commands, but it must not invalidate our position either.
  for (size_t i = 0; i < profile->commands.size(); ++i) {
    Command* command = profile->commands[i].get();
    if (command->phase != phase || command->handler == nullptr) continue;
    if (chainCommands >= kMaxCommandsPerChain) {
      ReportChainStop(*registry, *profile, "too many commands.");
      break;
    }
    ++chainCommands;
    command->handler(registry->actor, registry->actorAsCharacter, command);
  }
  --registry->commandNesting;
}

void SwitchProfile(Profile* target, float lockSeconds) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return;
  registry->pendingProfile = target;
  // A switch requested while another runs only redirects that one.
  if (registry->switchInProgress) return;
  registry->switchInProgress = 1;
  if (target == registry->currentProfile) {
    registry->profileLockSeconds = lockSeconds;
    registry->switchInProgress = 0;
    registry->pendingProfile = nullptr;
    return;
  }
  std::string fromName = "None";
  if (Profile* from = registry->currentProfile) {
    fromName = from->name;
    registry->deactivatingProfile = from;
    RunCommands(from, CommandPhase::OnDeactivate);
    registry->deactivatingProfile = nullptr;
  }
  Profile* to = registry->pendingProfile;
  registry->currentProfile = to;
  LogDebug(1, "Changed profile from %s to %s.", fromName.c_str(),
           to ? to->name.c_str() : "None");
  registry->switchInProgress = 0;
  registry->pendingProfile = nullptr;
  if (to == nullptr) {
    registry->profileLockSeconds = 0;
    return;
  }
  to->cameraAtActivation = CameraAtActivation();
  StartRecording(to);
  RunCommands(to, CommandPhase::OnActivate);
  registry->recordingProfile = nullptr;
  // A switch made by one of those commands has completed; this lock wins.
  registry->profileLockSeconds = lockSeconds;
}

void StartRecording(Profile* profile) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr || profile == nullptr) return;
  profile->savedValues.clear();
  registry->recordingProfile = profile;
}

Profile* FindProfile(std::string_view name) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return nullptr;
  for (auto& profile : registry->profiles) {
    if (SameIgnoringCase(profile->name, name)) return profile.get();
  }
  return nullptr;
}

void SetProfileByIndex(int32_t index, float lockSeconds) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return;
  Profile* profile = FirstProfileWithIndex(*registry, index, true);
  SwitchIfConditionsHold(profile ? profile : registry->defaultProfile, lockSeconds);
}

void SetProfileByName(std::string_view name, float lockSeconds) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return;
  Profile* profile = FindProfile(name);
  if (profile == nullptr || profile->type != ProfileType::Exclusive) {
    profile = registry->defaultProfile;
  }
  SwitchIfConditionsHold(profile, lockSeconds);
}

void RunProfileByIndex(int32_t index) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return;
  RunBothPhases(FirstProfileWithIndex(*registry, index, false));
}

void RunProfileByName(std::string_view name) { RunBothPhases(FindProfile(name)); }
