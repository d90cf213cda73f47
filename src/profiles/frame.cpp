#include <mutex>

#include "camera/controller.h"
#include "config/diagnostics.h"
#include "plugin/startup.h"
#include "profiles/driver.h"
#include "profiles/key_bindings.h"
#include "values/registry.h"
#include "values/hands.h"

namespace {

constexpr float kMinimumUpdateInterval = 0.1f;

void CountDown(float& seconds, float dt) {
  if (seconds > 0) {
    seconds -= dt;
    if (!(seconds > 0)) seconds = 0;
  }
}

void UpdateParallel(ValueRegistry& registry, Profile& profile) {
  const bool holds = profile.state == ProfileState::Normal && profile.inhibitSeconds == 0 &&
                     ConditionsHold(&profile, false);
  if (!profile.active && holds) {
    LogDebug(1, "Activating profile %s.", profile.name.c_str());
    profile.active = 1;
    StartRecording(&profile);
    RunCommands(&profile, CommandPhase::OnActivate);
    registry.recordingProfile = nullptr;
  } else if (profile.active && !holds) {
    LogDebug(1, "Deactivating profile %s.", profile.name.c_str());
    profile.active = 0;
    registry.deactivatingProfile = &profile;
    RunCommands(&profile, CommandPhase::OnDeactivate);
    registry.deactivatingProfile = nullptr;
  }
}

void ReloadUpdateCountdown(ValueRegistry& registry) {
  GetFloat(Vid::fUpdateProfileInterval, registry.profileUpdateCountdown);
  // Also catches NaN, which would otherwise stop the passes for good.
  if (!(registry.profileUpdateCountdown >= kMinimumUpdateInterval)) {
    registry.profileUpdateCountdown = kMinimumUpdateInterval;
  }
}

}  // namespace

void EvaluateProfiles() {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return;
  const bool canSwitch = registry->profileLockSeconds == 0;
  Profile* chosen = nullptr;
  for (size_t i = 0; i < registry->profiles.size(); ++i) {
    Profile& profile = *registry->profiles[i];
    switch (profile.type) {
      case ProfileType::Exclusive:
        if (!canSwitch || chosen != nullptr || profile.state != ProfileState::Normal ||
            profile.inhibitSeconds != 0) {
          break;
        }
        // Without conditions an exclusive profile is never chosen here, only by SetProfile.
        if (ConditionsHold(&profile, false)) chosen = &profile;
        break;
      case ProfileType::Parallel:
        UpdateParallel(*registry, profile);
        break;
      case ProfileType::Default:
        break;
    }
  }
  // While the lock runs nothing is switched, not even back to the default.
  if (!canSwitch) return;
  if (chosen == nullptr) chosen = registry->defaultProfile;
  if (chosen != nullptr) SwitchProfile(chosen, 0);
}

void RunProfileFrame() {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  if (currentRegistry == nullptr) return;
  if (currentRegistry->reloadRequested) {
    currentRegistry->reloadRequested = 0;
    InitializeOrReload();
    if (currentRegistry == nullptr) return;
  }
  ValueRegistry& registry = *currentRegistry;
  DrainMessages(registry);
  ApplyKeyBindingRequests();

  CameraController& controller = CameraController::Instance();
  registry.actor = controller.target;
  registry.actorAsCharacter = controller.targetActor;
  PollKeyBindings();

  const float dt = controller.frameTime;
  CountDown(registry.mountCountdown, controller.activeFrameTime);
  CountDown(registry.dismountCountdown, controller.activeFrameTime);
  TickValues(dt);
  for (auto& profile : registry.profiles) CountDown(profile->inhibitSeconds, dt);
  CountDown(registry.profileLockSeconds, dt);

  registry.profileUpdateCountdown -= dt;
  // Written so that a NaN countdown runs a pass (and is then reloaded) instead of none ever.
  if (!(registry.profileUpdateCountdown > 0)) {
    handCacheStale = 1;
    RunUpdaters();
    EvaluateProfiles();
    ReloadUpdateCountdown(registry);
  }
  registry.actor = nullptr;
  registry.actorAsCharacter = nullptr;
}
