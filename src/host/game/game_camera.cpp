// Engine strings, scene nodes and the player camera with its states.
#include "host/game/addresses.h"
#include "host/game/host_call.h"
#include "host/host.h"

void HostEngineStringCreate(EngineString* slot, const char* text) {
  CallMember<void>(GameEngineString::HostEngineStringCreate, slot, text);
}
void HostEngineStringRelease(EngineString* slot) {
  CallSaved(GameEngineString::HostEngineStringRelease, slot);
}

HostNode* HostNodeFindDescendant(HostNode* node, EngineString* name) {
  return CallMember<HostNode*>(VirtualFunction(node, GameNode::findDescendantSlot), node, name);
}
void HostNodeWorldRotation(HostNode* node, float out[9]) {
  std::memcpy(out, SubObject(node, GameNode::worldRotation), 9 * sizeof(float));
}
void HostNodeWorldTranslation(HostNode* node, float out[3]) {
  std::memcpy(out, SubObject(node, GameNode::worldTranslation), 3 * sizeof(float));
}

HostCamera* HostPlayerCamera() { return GlobalObject<HostCamera>(GameGlobal::HostPlayerCamera); }
HostCameraState* HostCameraCurrentState(HostCamera* camera) {
  return FieldObject<HostCameraState>(camera, GamePlayerCamera::currentState);
}
int32_t HostCameraStateId(HostCameraState* state) {
  return ReadField<int32_t>(state, GameCameraState::id);
}
float HostCameraFieldOfView(HostCamera* camera) {
  return ReadField<float>(camera, GamePlayerCamera::fieldOfView);
}
void HostCameraSetFieldOfView(HostCamera* camera, float fov) {
  WriteField<float>(camera, GamePlayerCamera::fieldOfView, fov);
}
float HostCameraStateYaw(HostCameraState* state) {
  return ReadField<float>(state, GameCameraState::yaw);
}
float HostCameraStatePitch(HostCameraState* state) {
  return ReadField<float>(state, GameCameraState::pitch);
}
void HostCameraStateSetYaw(HostCameraState* state, float value) {
  WriteField<float>(state, GameCameraState::yaw, value);
}
void HostCameraStateSetPitch(HostCameraState* state, float value) {
  WriteField<float>(state, GameCameraState::pitch, value);
}
void HostCameraStateClearOffsets(HostCameraState* state) {
  WriteField<uint32_t>(state, GameCameraState::clearedOffset0, 0);
  WriteField<uint32_t>(state, GameCameraState::clearedOffset1, 0);
  WriteField<uint32_t>(state, GameCameraState::clearedOffset2, 0);
}

void HostCameraWeaponRefresh(HostCamera* camera, bool weaponOut) {
  CallSaved(GamePlayerCamera::HostCameraWeaponRefresh, camera, static_cast<uint32_t>(weaponOut));
}
void HostCameraGoThirdPerson(HostCamera* camera) {
  CallMember<void>(GamePlayerCamera::HostCameraGoThirdPerson, camera);
}
void HostCameraForceThirdPerson(HostCamera* camera) {
  CallMember<void>(GamePlayerCamera::HostCameraForceThirdPerson, camera);
}
void HostCameraGoFirstPerson(HostCamera* camera) {
  CallMember<void>(GamePlayerCamera::HostCameraGoFirstPerson, camera);
}
void HostCameraForceFirstPerson(HostCamera* camera) {
  CallMember<void>(GamePlayerCamera::HostCameraForceFirstPerson, camera);
}

void HostPlayerCrosshairPick(HostRef* player) {
  uint32_t picked = 0;  // the pick's own answer; the picked point reaches us through a hook
  CallMember<void>(GamePlayer::HostPlayerCrosshairPick, player, &picked);
}
