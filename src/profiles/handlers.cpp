// The command handlers behind the command table.

#include "profiles/handlers.h"

#include "camera/ref_handle.h"
#include "profiles/camera_commands.h"
#include "profiles/command_table.h"
#include "profiles/driver.h"

// Sections: value commands, camera person, profiles, key bindings, camera target and rotation,
// animation event.

namespace {

void SetBool(Session& session, int32_t index, bool flag) {
  SetValue(session.values, index, ValueData::Bool(flag), 0);
}

void OnPlayerCamera(void (*call)(HostCamera*)) {
  if (HostCamera* camera = HostPlayerCamera()) call(camera);
}

// The packed key word: key in bits 0-15, modifiers in 16-27, 0xF in 28-31 for a release edge.
KeyBindingRequest KeyRequestFromWord(int32_t keyWord) {
  const uint32_t word = static_cast<uint32_t>(keyWord);
  KeyBindingRequest request;
  request.key = static_cast<int32_t>(word & 0xFFFF);
  request.modifiers = static_cast<int32_t>((word >> 16) & 0xFFF);
  request.pressEdge = (word >> 28) == 0;
  return request;
}

void QueueRotationItem(Session& session, const Command* command, int32_t axis) {
  if (!command->operand.isSet || command->operand.type != ValueType::Float) return;
  const int32_t mode = command->rotationMode;
  RotationItem item;
  item.amount = command->operand.AsFloat();
  item.applied = 0;
  item.duration = command->seconds;
  item.axis = axis;
  item.elapsed = 0;
  item.mode =
      (mode >= 0 && mode <= 2) ? static_cast<RotationMode>(mode) : RotationMode::Independent;
  if (session.camera != nullptr) session.camera->QueueRotation(item);
}

}  // namespace

// --- Value commands ---

// SetValue and ResetValue ignore a bad index themselves.

void SetHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  // An unset operand clears the value, as Clear does.
  SetValue(session.values, command->valueIndex, command->operand.ToValueData(), command->seconds);
}

void ModifyHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  const Operand& operand = command->operand;
  Value* value = ValueAt(session.values, command->valueIndex);
  if (value == nullptr || !operand.isSet) return;
  // Adds to the tween's target, not to its present position.
  const ValueData current = GetValue(session.values, *value, false);
  if (!current.isSet || current.type != operand.type) return;
  ValueData changed;
  switch (operand.type) {
    case ValueType::Bool:
      changed = ValueData::Bool(current.AsBool() != operand.AsBool());
      break;
    case ValueType::Int:
      changed = ValueData::Int(static_cast<int32_t>(current.payload + operand.payload));
      break;
    case ValueType::Float:
      changed = ValueData::Float(current.AsFloat() + operand.AsFloat());
      if (!changed.IsFiniteFloat()) return;  // an overflowing sum leaves the value as it was
      break;
    default:
      return;
  }
  SetValue(session.values, command->valueIndex, changed, command->seconds);
}

void ResetHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  ResetValue(session.values, command->valueIndex, command->seconds);
}

void ReturnHandler(Session& session, const FrameContext&, Profile* owner, Command* command) {
  if (owner == nullptr) return;
  auto saved = owner->savedValues.find(command->valueIndex);
  if (saved == owner->savedValues.end()) return;
  // A copy: SetValue may record into this same map while it runs.
  const ValueData before = saved->second;
  SetValue(session.values, command->valueIndex, before, command->seconds);
}

void ClearHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  Value* value = ValueAt(session.values, command->valueIndex);
  if (value == nullptr || value->type == ValueType::Unknown) return;
  SetValue(session.values, command->valueIndex, ValueData::Unset(value->type), 0);
}

void EnableHandler(Session& session, const FrameContext&, Profile*, Command*) {
  SetBool(session, Vid::bEnabled, true);
}
void DisableHandler(Session& session, const FrameContext&, Profile*, Command*) {
  SetBool(session, Vid::bEnabled, false);
}
void ActivateHandler(Session& session, const FrameContext&, Profile*, Command*) {
  SetBool(session, Vid::bActivated, true);
}
void DeactivateHandler(Session& session, const FrameContext&, Profile*, Command*) {
  SetBool(session, Vid::bActivated, false);
}

// --- Camera person ---

void GoThirdPersonHandler(Session&, const FrameContext&, Profile*, Command*) {
  OnPlayerCamera(HostCameraGoThirdPerson);
}
void GoFirstPersonHandler(Session&, const FrameContext&, Profile*, Command*) {
  OnPlayerCamera(HostCameraGoFirstPerson);
}
void ForceThirdPersonHandler(Session&, const FrameContext&, Profile*, Command*) {
  OnPlayerCamera(HostCameraForceThirdPerson);
}
void ForceFirstPersonHandler(Session&, const FrameContext&, Profile*, Command*) {
  OnPlayerCamera(HostCameraForceFirstPerson);
}

void ReturnPersonHandler(Session&, const FrameContext&, Profile* owner, Command*) {
  if (owner == nullptr) return;
  switch (owner->cameraAtActivation) {
    case CameraAtActivation::HeadCamera:
      OnPlayerCamera(HostCameraGoThirdPerson);
      break;
    case CameraAtActivation::FirstPerson:
      OnPlayerCamera(HostCameraGoFirstPerson);
      break;
    case CameraAtActivation::Other:
      break;
  }
}

// --- Profiles ---

void SetProfileHandler(Session& session, const FrameContext& frame, Profile*, Command* command) {
  const Operand& operand = command->operand;
  if (!operand.isSet) return;
  if (operand.type == ValueType::Int) {
    SetProfileByIndex(session, frame, operand.AsInt(), command->seconds);
  } else if (operand.type == ValueType::String) {
    SetProfileByName(session, frame, operand.Text(), command->seconds);
  }
}

void RunProfileHandler(Session& session, const FrameContext& frame, Profile*, Command* command) {
  const Operand& operand = command->operand;
  if (!operand.isSet) return;
  if (operand.type == ValueType::Int) {
    RunProfileByIndex(session, frame, operand.AsInt());
  } else if (operand.type == ValueType::String) {
    RunProfileByName(session, frame, operand.Text());
  }
}

void InhibitHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  const Operand& operand = command->operand;
  if (!operand.isSet || operand.type != ValueType::String) return;
  // A negative time never counts down: inhibited until the next load.
  if (Profile* profile = FindProfile(session, operand.Text()))
    profile->inhibitSeconds = command->seconds;
}

void ReloadHandler(Session& session, const FrameContext&, Profile*, Command*) {
  session.reloadRequested = true;
}

// --- Key bindings: queued here, applied by the next frame ---

void BindKeyHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  const Operand& operand = command->operand;
  if (command->keyWord == 0 || !operand.isSet) return;
  KeyBindingRequest request = KeyRequestFromWord(command->keyWord);
  request.bind = true;
  request.seconds = command->seconds;
  if (operand.type == ValueType::Int) {
    request.profileIndex = operand.AsInt();
  } else if (operand.type == ValueType::String) {
    request.profileName = operand.Text();
  } else {
    return;
  }
  session.keyBindingRequests.push_back(request);
}

void UnBindKeyHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  if (command->keyWord == 0) return;
  KeyBindingRequest request = KeyRequestFromWord(command->keyWord);
  request.modifiers = 0;
  request.bind = false;
  session.keyBindingRequests.push_back(request);
}

// --- Camera target and rotation ---

void AttachCameraHandler(Session& session, const FrameContext&, Profile*, Command*) {
  uint32_t formId = 0;
  if (HostCrosshairRefHolder* holder = HostCrosshairRefGet()) {
    HostRef* ref = nullptr;
    ResolveRefHandle(ref, HostCrosshairRefHandle(holder));
    if (ref) formId = HostFormId(HostRefAsForm(ref));
    ReleaseRef(ref);
  }
  // Nothing under the crosshair returns the camera to the player.
  CameraCommands* camera = session.camera;
  if (camera != nullptr && camera->RequestedRefFormId() != formId) {
    camera->SetRequestedRefFormId(formId);
  }
}

void DetachCameraHandler(Session& session, const FrameContext&, Profile*, Command*) {
  if (session.camera != nullptr) session.camera->SetRequestedRefFormId(0);
}

void RotateXHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  QueueRotationItem(session, command, 0);
}
void RotateYHandler(Session& session, const FrameContext&, Profile*, Command* command) {
  QueueRotationItem(session, command, 1);
}

// --- Animation event ---

void SendAnimEventHandler(Session&, const FrameContext& frame, Profile*, Command* command) {
  const Operand& operand = command->operand;
  HostActor* actor = frame.followedActor;
  if (!operand.isSet || operand.type != ValueType::String || actor == nullptr) return;
  EngineString event{};
  HostEngineStringCreate(&event, operand.chars);
  HostSendAnimEvent(actor, &event);
  HostEngineStringRelease(&event);
}
