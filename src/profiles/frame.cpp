#include "profiles/camera_commands.h"
#include "profiles/driver.h"
#include "profiles/key_bindings.h"

namespace {

constexpr float kMinimumUpdateInterval = 0.1f;

void CountDown(float& seconds, float dt) {
  if (seconds > 0) {
    seconds -= dt;
    if (!(seconds > 0)) seconds = 0;
  }
}

void UpdateParallel(Session& session, Profile& profile) {
  const bool holds = profile.state == ProfileState::Normal && profile.inhibitSeconds == 0 &&
                     ConditionsHold(session, &profile, false);
  if (!profile.active && holds) {
    LogDebug(session, 1, "Activating profile %s.", profile.name.c_str());
    profile.active = 1;
    StartRecording(session, &profile);
    RunCommands(session, &profile, CommandPhase::OnActivate);
    StopRecording(session);
  } else if (profile.active && !holds) {
    LogDebug(session, 1, "Deactivating profile %s.", profile.name.c_str());
    profile.active = 0;
    session.deactivatingProfile = &profile;
    RunCommands(session, &profile, CommandPhase::OnDeactivate);
    session.deactivatingProfile = nullptr;
  }
}

void ReloadUpdateCountdown(Session& session) {
  GetFloat(session.values, Vid::fUpdateProfileInterval, session.profileUpdateCountdown);
  // Also catches NaN, which would otherwise stop the passes for good.
  if (!(session.profileUpdateCountdown >= kMinimumUpdateInterval)) {
    session.profileUpdateCountdown = kMinimumUpdateInterval;
  }
}

}  // namespace

UpdateInput UpdaterInput(const Session& session) {
  UpdateInput input;
  input.actor = session.actor;
  input.actorAsCharacter = session.actorAsCharacter;
  input.mounting = session.mountCountdown > 0;
  input.dismounting = session.dismountCountdown > 0;
  input.inPluginView = session.inPluginView;
  input.camera = session.camera;
  return input;
}

void EvaluateProfiles(Session& session) {
  const bool canSwitch = session.profileLockSeconds == 0;
  Profile* chosen = nullptr;
  for (Profile& profile : session.profiles) {
    switch (profile.type) {
      case ProfileType::Exclusive:
        if (!canSwitch || chosen != nullptr || profile.state != ProfileState::Normal ||
            profile.inhibitSeconds != 0) {
          break;
        }
        // Without conditions an exclusive profile is never chosen here, only by SetProfile.
        if (ConditionsHold(session, &profile, false)) chosen = &profile;
        break;
      case ProfileType::Parallel:
        UpdateParallel(session, profile);
        break;
      case ProfileType::Default:
        break;
    }
  }
  // While the lock runs nothing is switched, not even back to the default.
  if (!canSwitch) return;
  if (chosen == nullptr) chosen = session.defaultProfile;
  if (chosen != nullptr) SwitchProfile(session, chosen, 0);
}

void RunProfileFrame(Session& session, KeyBindingList& keyBindings,
                     const CameraFrameInput& input) {
  DrainMessages(session.messageQueue);
  ApplyKeyBindingRequests(session, keyBindings);

  session.actor = input.target;
  session.actorAsCharacter = input.targetActor;
  PollKeyBindings(session, keyBindings);

  const float dt = input.frameTime;
  CountDown(session.mountCountdown, input.activeFrameTime);
  CountDown(session.dismountCountdown, input.activeFrameTime);
  TickValues(session.values, dt);
  for (Profile& profile : session.profiles) CountDown(profile.inhibitSeconds, dt);
  CountDown(session.profileLockSeconds, dt);

  session.profileUpdateCountdown -= dt;
  // Written so that a NaN countdown runs a pass (and is then reloaded) instead of none ever.
  if (!(session.profileUpdateCountdown > 0)) {
    RunUpdaters(session.values, UpdaterInput(session));
    EvaluateProfiles(session);
    ReloadUpdateCountdown(session);
  }
  session.actor = nullptr;
  session.actorAsCharacter = nullptr;
}
