#include "profiles/handlers.h"

#include <memory>
#include <mutex>

#include "camera/controller.h"
#include "profiles/commands.h"
#include "profiles/driver.h"
#include "profiles/key_bindings.h"
#include "values/registry.h"

// Sections: value commands, camera person, profiles, key bindings, camera target and rotation,
// animation event.

namespace {

void SetBool(int32_t index, bool flag) { SetValue(index, ValueData::Bool(flag), 0); }

void OnPlayerCamera(void (*call)(HostCamera*)) {
  if (HostCamera* camera = HostPlayerCamera()) call(camera);
}

// The packed key word: key in bits 0-15, modifiers in 16-27, 0xF in 28-31 for a release edge.
KeyBindingRequest KeyRequestFromWord(int32_t keyWord) {
  const uint32_t word = static_cast<uint32_t>(keyWord);
  KeyBindingRequest request;
  request.key = static_cast<int32_t>(word & 0xFFFF);
  request.modifiers = static_cast<int32_t>((word >> 16) & 0xFFF);
  request.pressEdge = (word >> 28) == 0 ? 1 : 0;
  return request;
}

void QueueKeyRequest(const KeyBindingRequest& request) {
  if (ValueRegistry* registry = currentRegistry) {
    registry->keyBindingRequests.push_back(std::make_unique<KeyBindingRequest>(request));
  }
}

void QueueRotationItem(const Command* command, int32_t axis) {
  if (!command->operand.isSet || command->operand.type != ValueType::Float) return;
  const int32_t mode = command->valueIndex;
  RotationItem item;
  item.amount = command->operand.AsFloat();
  item.applied = 0;
  item.duration = command->seconds;
  item.axis = axis;
  item.elapsed = 0;
  item.mode = (mode >= 0 && mode <= 2) ? mode : 1;
  CameraController::Instance().QueueRotation(item);
}

}  // namespace

// --- Value commands ---

// SetValue and ResetValue ignore a bad index themselves.

void SetHandler(HostRef*, HostActor*, Command* command) {
  // An unset operand clears the value, as Clear does.
  SetValue(command->valueIndex, command->operand, command->seconds);
}

void ModifyHandler(HostRef*, HostActor*, Command* command) {
  const ValueData& operand = command->operand;
  Value* value = ValueAt(command->valueIndex);
  if (value == nullptr || !operand.isSet) return;
  // Adds to the tween's target, not to its present position.
  const ValueData current = GetValue(*value, false);
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
  SetValue(command->valueIndex, changed, command->seconds);
}

void ResetHandler(HostRef*, HostActor*, Command* command) {
  ResetValue(command->valueIndex, command->seconds);
}

void ReturnHandler(HostRef*, HostActor*, Command* command) {
  Profile* owner = command->owner;
  if (owner == nullptr) return;
  auto saved = owner->savedValues.find(command->valueIndex);
  if (saved == owner->savedValues.end()) return;
  // A copy: SetValue may record into this same map while it runs.
  const ValueData before = saved->second;
  SetValue(command->valueIndex, before, command->seconds);
}

void ClearHandler(HostRef*, HostActor*, Command* command) {
  Value* value = ValueAt(command->valueIndex);
  if (value == nullptr || value->type == ValueType::Unknown) return;
  SetValue(command->valueIndex, ValueData::Unset(value->type), 0);
}

void EnableHandler(HostRef*, HostActor*, Command*) { SetBool(Vid::bEnabled, true); }
void DisableHandler(HostRef*, HostActor*, Command*) { SetBool(Vid::bEnabled, false); }
void ActivateHandler(HostRef*, HostActor*, Command*) { SetBool(Vid::bActivated, true); }
void DeactivateHandler(HostRef*, HostActor*, Command*) { SetBool(Vid::bActivated, false); }

void ToggleActivatedValue() {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  Value* value = ValueAt(Vid::bActivated);
  if (value == nullptr) return;
  const ValueData activated = GetValue(*value, true);
  const bool wasOn = activated.isSet && activated.type == ValueType::Bool && activated.AsBool();
  SetBool(Vid::bActivated, !wasOn);
}

// --- Camera person ---

void GoThirdPersonHandler(HostRef*, HostActor*, Command*) {
  OnPlayerCamera(HostCameraGoThirdPerson);
}
void GoFirstPersonHandler(HostRef*, HostActor*, Command*) {
  OnPlayerCamera(HostCameraGoFirstPerson);
}
void ForceThirdPersonHandler(HostRef*, HostActor*, Command*) {
  OnPlayerCamera(HostCameraForceThirdPerson);
}
void ForceFirstPersonHandler(HostRef*, HostActor*, Command*) {
  OnPlayerCamera(HostCameraForceFirstPerson);
}

void ReturnPersonHandler(HostRef*, HostActor*, Command* command) {
  if (command->owner == nullptr) return;
  switch (command->owner->cameraAtActivation) {
    case 1:
      OnPlayerCamera(HostCameraGoThirdPerson);
      break;
    case 2:
      OnPlayerCamera(HostCameraGoFirstPerson);
      break;
    default:
      break;
  }
}

// --- Profiles ---

void SetProfileHandler(HostRef*, HostActor*, Command* command) {
  const ValueData& operand = command->operand;
  if (!operand.isSet) return;
  if (operand.type == ValueType::Int) {
    SetProfileByIndex(operand.AsInt(), command->seconds);
  } else if (operand.type == ValueType::String) {
    SetProfileByName(operand.text, command->seconds);
  }
}

void RunProfileHandler(HostRef*, HostActor*, Command* command) {
  const ValueData& operand = command->operand;
  if (!operand.isSet) return;
  if (operand.type == ValueType::Int) {
    RunProfileByIndex(operand.AsInt());
  } else if (operand.type == ValueType::String) {
    RunProfileByName(operand.text);
  }
}

void InhibitHandler(HostRef*, HostActor*, Command* command) {
  const ValueData& operand = command->operand;
  if (!operand.isSet || operand.type != ValueType::String || currentRegistry == nullptr) return;
  // A negative time never counts down: inhibited until the next load.
  if (Profile* profile = FindProfile(operand.text)) profile->inhibitSeconds = command->seconds;
}

void ReloadHandler(HostRef*, HostActor*, Command*) {
  if (currentRegistry != nullptr) currentRegistry->reloadRequested = 1;
}

// --- Key bindings: queued here, applied by the next frame ---

void BindKeyHandler(HostRef*, HostActor*, Command* command) {
  const ValueData& operand = command->operand;
  if (command->valueIndex == 0 || !operand.isSet) return;
  KeyBindingRequest request = KeyRequestFromWord(command->valueIndex);
  request.bind = 1;
  request.seconds = command->seconds;
  if (operand.type == ValueType::Int) {
    request.profileIndex = operand.AsInt();
  } else if (operand.type == ValueType::String) {
    request.profileName = operand.text;
  } else {
    return;
  }
  QueueKeyRequest(request);
}

void UnBindKeyHandler(HostRef*, HostActor*, Command* command) {
  if (command->valueIndex == 0) return;
  KeyBindingRequest request = KeyRequestFromWord(command->valueIndex);
  request.modifiers = 0;
  request.bind = 0;
  QueueKeyRequest(request);
}

// --- Camera target and rotation ---

void AttachCameraHandler(HostRef*, HostActor*, Command*) {
  uint32_t formId = 0;
  if (HostCrosshairRefHolder* holder = HostCrosshairRefGet()) {
    HostRef* ref = nullptr;
    ResolveRefHandle(ref, HostCrosshairRefHandle(holder));
    if (ref) formId = HostFormId(HostRefAsForm(ref));
    ReleaseRef(ref);
  }
  // Nothing under the crosshair returns the camera to the player.
  CameraController& controller = CameraController::Instance();
  if (controller.targetRefFormId != formId) controller.targetRefFormId = formId;
}

void DetachCameraHandler(HostRef*, HostActor*, Command*) {
  CameraController::Instance().targetRefFormId = 0;
}

void RotateXHandler(HostRef*, HostActor*, Command* command) { QueueRotationItem(command, 0); }
void RotateYHandler(HostRef*, HostActor*, Command* command) { QueueRotationItem(command, 1); }

// --- Animation event ---

void SendAnimEventHandler(HostRef*, HostActor* actorAsCharacter, Command* command) {
  const ValueData& operand = command->operand;
  if (!operand.isSet || operand.type != ValueType::String || actorAsCharacter == nullptr) return;
  EngineString event{};
  HostEngineStringCreate(&event, operand.text.c_str());
  HostSendAnimEvent(actorAsCharacter, &event);
  HostEngineStringRelease(&event);
}
