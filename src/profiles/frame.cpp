// The profile frame: countdowns, key bindings, the evaluation pass and parallel profiles.

#include "profiles/frame.h"

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

void UpdateParallel(Session& session, const FrameContext& frame, Profile& profile) {
  const bool holds = profile.state == ProfileState::Normal && profile.inhibitSeconds == 0 &&
                     ConditionsHold(session, frame, &profile, false);
  if (!profile.active && holds) {
    LogDebug(session, 1, "Activating profile %s.", profile.name.c_str());
    profile.active = 1;
    StartRecording(session, &profile);
    RunCommands(session, frame, &profile, CommandPhase::OnActivate);
    StopRecording(session);
  } else if (profile.active && !holds) {
    LogDebug(session, 1, "Deactivating profile %s.", profile.name.c_str());
    profile.active = 0;
    session.deactivatingProfile = &profile;
    RunCommands(session, frame, &profile, CommandPhase::OnDeactivate);
    session.deactivatingProfile = nullptr;
  }
}

void ReloadUpdateCountdown(Session& session) {
  session.profileUpdateCountdown =
      ValueOr<float>(session.values, Vid::fUpdateProfileInterval, session.profileUpdateCountdown);
  // Also catches NaN, which would otherwise stop the passes for good.
  if (!(session.profileUpdateCountdown >= kMinimumUpdateInterval)) {
    session.profileUpdateCountdown = kMinimumUpdateInterval;
  }
}

}  // namespace

UpdateInput UpdaterInput(const Session& session, const FrameContext& frame) {
  UpdateInput input;
  input.frame = frame;
  input.mounting = session.mountCountdown > 0;
  input.dismounting = session.dismountCountdown > 0;
  input.camera = session.camera;
  return input;
}

void EvaluateProfiles(Session& session, const FrameContext& frame) {
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
        if (ConditionsHold(session, frame, &profile, false)) chosen = &profile;
        break;
      case ProfileType::Parallel:
        UpdateParallel(session, frame, profile);
        break;
      case ProfileType::Default:
        break;
    }
  }
  // While the lock runs nothing is switched, not even back to the default.
  if (!canSwitch) return;
  if (chosen == nullptr) chosen = session.defaultProfile;
  if (chosen != nullptr) SwitchProfile(session, frame, chosen, 0);
}

void RunProfileFrame(Session& session, KeyBindingList& keyBindings, const FrameContext& frame) {
  DrainMessages(session.messageQueue);
  // Before the keys are polled, and as outside the frame: a release action an unbinding runs
  // here follows nothing.
  ApplyKeyBindingRequests(session, keyBindings);
  PollKeyBindings(session, frame, keyBindings);

  const float dt = frame.frameTime;
  CountDown(session.mountCountdown, frame.activeFrameTime);
  CountDown(session.dismountCountdown, frame.activeFrameTime);
  TickValues(session.values, dt);
  for (Profile& profile : session.profiles) CountDown(profile.inhibitSeconds, dt);
  CountDown(session.profileLockSeconds, dt);

  session.profileUpdateCountdown -= dt;
  // Written so that a NaN countdown runs a pass (and is then reloaded) instead of none ever.
  if (!(session.profileUpdateCountdown > 0)) {
    RunUpdaters(session.values, UpdaterInput(session, frame));
    EvaluateProfiles(session, frame);
    ReloadUpdateCountdown(session);
  }
}
