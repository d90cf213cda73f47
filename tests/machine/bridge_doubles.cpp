// Stand-ins for the bridge functions: they record each call and give the answer a case asks for.

#include "bridge_doubles.h"

#include <algorithm>

#include "plugin/hooks/hook_bridges.h"
#include "site_runner.h"

std::vector<BridgeCall> bridgeCalls;
int32_t bridgeAnswer = 0;
SiteEffects bridgeEffects{};

void ResetBridges() {
  bridgeCalls.clear();
  bridgeAnswer = 0;
}

namespace {

uint32_t Word(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }
uint32_t Word(int32_t value) { return static_cast<uint32_t>(value); }

template <typename... A>
void Record(uintptr_t frame, const char* name, A... args) {
  // A bridge's frame address is its entry ESP - 8 when the call was made 16-byte aligned.
  bridgeCalls.push_back({name, {Word(args)...}, (frame & 15) == 8, fakeCalleeCount});
}

void WriteView(float* position, float* rotation) {
  std::copy_n(bridgeEffects.position, 3, position);
  std::copy_n(bridgeEffects.rotation, 9, rotation);
}

}  // namespace

#define RECORD(name, ...) \
  Record(reinterpret_cast<uintptr_t>(__builtin_frame_address(0)), name __VA_OPT__(, ) __VA_ARGS__)

int32_t BridgeIsHeadTrackedActor(HostActor* actor) {
  RECORD("IsHeadTrackedActor", actor);
  return bridgeAnswer;
}
void BridgeRestrictAndOverride(float* yaw, float* pitch, float* position, float* rotation) {
  RECORD("RestrictAndOverride", yaw, pitch, position, rotation);
  if (!bridgeAnswer) return;
  *yaw = bridgeEffects.yaw;
  *pitch = bridgeEffects.pitch;
  WriteView(position, rotation);
}
void BridgeOverride(float* position, float* rotation) {
  RECORD("Override", position, rotation);
  if (bridgeAnswer) WriteView(position, rotation);
}
void BridgeOnDismountStart(HostActor* actor) { RECORD("OnDismountStart", actor); }
void BridgeOnMountStart(HostActor* actor) { RECORD("OnMountStart", actor); }
int32_t BridgeAllowsHostCameraSwitch() {
  RECORD("AllowsHostCameraSwitch");
  return bridgeAnswer ? 0 : 1;
}
void BridgeFaceCrosshairOverride(int32_t* state) {
  RECORD("FaceCrosshairOverride", state, *state);
  if (bridgeAnswer) *state = bridgeAnswer;
}
void BridgeFaceCrosshairArgument(int32_t* argument) {
  RECORD("FaceCrosshairArgument", argument);
  if (bridgeAnswer) *argument = 1;
}
int32_t BridgeZoomIn() {
  RECORD("ZoomIn");
  return bridgeAnswer;
}
void BridgeZoomOut() { RECORD("ZoomOut"); }
int32_t BridgeToggleActivation() {
  RECORD("ToggleActivation");
  return bridgeAnswer;
}
void BridgeUpdate() { RECORD("Update"); }
int32_t BridgeTakeViewRefreshRequest() {
  RECORD("TakeViewRefreshRequest");
  return bridgeAnswer;
}
void BridgeClearStateOffsets(HostCameraState* state) {
  RECORD("ClearStateOffsets", state);
  if (bridgeAnswer) std::fill_n(reinterpret_cast<uint8_t*>(state) + 0x3C, 12, 0);
}
void BridgeSetFocusPick(const float* point) { RECORD("SetFocusPick", point); }
void BridgeAddLookInput(float* input) {
  RECORD("AddLookInput", input);
  if (bridgeAnswer) input[0] += bridgeEffects.turn;
}
int32_t BridgeIsHeadCameraActive() {
  RECORD("IsHeadCameraActive");
  return bridgeAnswer;
}
void BridgeSetPitchLimits(HostActor* actor, float* minimum, float* maximum) {
  RECORD("SetPitchLimits", actor, minimum, maximum);
  if (!bridgeAnswer) return;
  *minimum = bridgeEffects.pitchMinimum;
  *maximum = bridgeEffects.pitchMaximum;
}
