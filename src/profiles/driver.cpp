// Profile selection and switching: running a profile's commands, switching, by index or name.

#include "profiles/driver.h"

#include <mutex>
#include <string>

#include "camera/state_sets.h"
#include "profiles/command_table.h"
#include "values/camera_state_id.h"

namespace {

void ReportChainStop(Session& session, const Profile& profile, const char* reason) {
  if (session.chainStopReported) return;
  session.chainStopReported = true;
  Log(session.messageQueue, "Profile commands of '%s' stopped: %s", profile.name.c_str(), reason);
}

// A profile's index is its position.
Profile* ProfileWithIndex(Session& session, int32_t index, bool exclusiveOnly) {
  if (index < 0 || static_cast<size_t>(index) >= session.profiles.size()) return nullptr;
  Profile* profile = &session.profiles[static_cast<size_t>(index)];
  return exclusiveOnly && profile->type != ProfileType::Exclusive ? nullptr : profile;
}

CameraAtActivation CameraNow() {
  const int32_t state = HostCameraStateIdOrNone();
  if (IsHeadCameraStateId(state)) return CameraAtActivation::HeadCamera;
  return state == 0 ? CameraAtActivation::FirstPerson : CameraAtActivation::Other;
}

void SwitchIfConditionsHold(Session& session, const FrameContext& frame, Profile* profile,
                            float lockSeconds) {
  if (profile != nullptr && ConditionsHold(session, frame, profile, true)) {
    SwitchProfile(session, frame, profile, lockSeconds);
  }
}

// Activation then deactivation commands, the profile's state left as it was.
void RunBothPhases(Session& session, const FrameContext& frame, Profile* profile) {
  if (profile == nullptr) return;
  StartRecording(session, profile);
  RunCommands(session, frame, profile, CommandPhase::OnActivate);
  StopRecording(session);
  session.deactivatingProfile = profile;
  RunCommands(session, frame, profile, CommandPhase::OnDeactivate);
  session.deactivatingProfile = nullptr;
}

// The switch itself, to session.pendingProfile, once SwitchProfile has marked it in progress.
void SwitchNow(Session& session, const FrameContext& frame, float lockSeconds) {
  if (session.pendingProfile == session.currentProfile) {
    session.profileLockSeconds = lockSeconds;
    session.switchInProgress = false;
    session.pendingProfile = nullptr;
    return;
  }
  std::string fromName = "None";
  if (Profile* from = session.currentProfile) {
    fromName = from->name;
    session.deactivatingProfile = from;
    RunCommands(session, frame, from, CommandPhase::OnDeactivate);
    session.deactivatingProfile = nullptr;
  }
  Profile* to = session.pendingProfile;
  session.currentProfile = to;
  LogDebug(session, 1, "Changed profile from %s to %s.", fromName.c_str(),
           to ? to->name.c_str() : "None");
  session.switchInProgress = false;
  session.pendingProfile = nullptr;
  if (to == nullptr) {
    session.profileLockSeconds = 0;
    return;
  }
  to->cameraAtActivation = CameraNow();
  StartRecording(session, to);
  RunCommands(session, frame, to, CommandPhase::OnActivate);
  StopRecording(session);
  // A switch made by one of those commands has completed; this lock wins.
  session.profileLockSeconds = lockSeconds;
}

}  // namespace

void RunCommands(Session& session, const FrameContext& frame, Profile* profile,
                 CommandPhase phase) {
  if (profile == nullptr) return;
  if (session.commandNesting == 0) {
    session.chainCommands = 0;
    session.chainStopReported = false;
  }
  if (session.commandNesting >= kMaxCommandNesting) {
    ReportChainStop(session, *profile, "nested too deeply.");
    return;
  }
  ++session.commandNesting;
  // Counted down however the handlers end: one may run out of memory.
  struct Unnest {
    int32_t& nesting;
    ~Unnest() { --nesting; }
  } unnest{session.commandNesting};
  // Index loop: a handler may not add commands, but it must not invalidate our position either.
  for (size_t i = 0; i < profile->commands.size(); ++i) {
    Command* command = &profile->commands[i];
    const CommandHandler handler = HandlerOf(command->id);
    if (command->phase != phase || handler == nullptr) continue;
    if (session.chainCommands >= kMaxCommandsPerChain) {
      ReportChainStop(session, *profile, "too many commands.");
      break;
    }
    ++session.chainCommands;
    handler(session, frame, profile, command);
  }
}

void SwitchProfile(Session& session, const FrameContext& frame, Profile* target,
                   float lockSeconds) {
  session.pendingProfile = target;
  // A switch requested while another runs only redirects that one.
  if (session.switchInProgress) return;
  session.switchInProgress = true;
  try {
    SwitchNow(session, frame, lockSeconds);
  } catch (...) {
    // Cut short (out of memory): a switch left in progress would refuse every later one.
    session.switchInProgress = false;
    session.pendingProfile = nullptr;
    session.deactivatingProfile = nullptr;
    StopRecording(session);
    throw;
  }
}

void StartRecording(Session& session, Profile* profile) {
  if (profile == nullptr) return;
  profile->savedValues.clear();
  session.values.recording = &profile->savedValues;
}

void StopRecording(Session& session) { session.values.recording = nullptr; }

Profile* FindProfile(Session& session, std::string_view name) {
  const int32_t index = session.profileNames.Find(name);
  return index < 0 ? nullptr : &session.profiles[static_cast<size_t>(index)];
}

void SetProfileByIndex(Session& session, const FrameContext& frame, int32_t index,
                       float lockSeconds) {
  Profile* profile = ProfileWithIndex(session, index, true);
  SwitchIfConditionsHold(session, frame, profile ? profile : session.defaultProfile,
                         lockSeconds);
}

void SetProfileByName(Session& session, const FrameContext& frame, std::string_view name,
                      float lockSeconds) {
  Profile* profile = FindProfile(session, name);
  if (profile == nullptr || profile->type != ProfileType::Exclusive) {
    profile = session.defaultProfile;
  }
  SwitchIfConditionsHold(session, frame, profile, lockSeconds);
}

void RunProfileByIndex(Session& session, const FrameContext& frame, int32_t index) {
  RunBothPhases(session, frame, ProfileWithIndex(session, index, false));
}

void RunProfileByName(Session& session, const FrameContext& frame, std::string_view name) {
  RunBothPhases(session, frame, FindProfile(session, name));
}
