#include "bridge_doubles.h"

#include "plugin/hooks/hook_bridges.h"
#include "site_runner.h"

std::vector<BridgeCall> bridgeCalls;
BridgeAnswers bridgeAnswers;

void ResetBridges() {
  bridgeCalls.clear();
  bridgeAnswers = BridgeAnswers{};
}

namespace {

uint32_t Word(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }
uint32_t Word(int32_t value) { return static_cast<uint32_t>(value); }

template <typename... A>
void Record(uintptr_t frame, const char* name, A... args) {
  // A bridge's frame address is its entry ESP - 8 when the call was made 16-byte aligned.
  bridgeCalls.push_back({name, {Word(args)...}, (frame & 15) == 8, fakeCalleeCount});
}

}  // namespace

#define RECORD(name, ...) \
  Record(reinterpret_cast<uintptr_t>(__builtin_frame_address(0)), name __VA_OPT__(, ) __VA_ARGS__)

int32_t BridgeIsHeadTrackedActor(HostActor* actor) {
  RECORD("IsHeadTrackedActor", actor);
  return bridgeAnswers.headTracked;
}
void BridgeRestrictAndOverride(float* yaw, float* pitch, float* position, float* rotation) {
  RECORD("RestrictAndOverride", yaw, pitch, position, rotation);
}
void BridgeOverride(float* position, float* rotation) { RECORD("Override", position, rotation); }
void BridgeOnDismountStart(HostActor* actor) { RECORD("OnDismountStart", actor); }
void BridgeOnMountStart(HostActor* actor) { RECORD("OnMountStart", actor); }
int32_t BridgeAllowsHostCameraSwitch() {
  RECORD("AllowsHostCameraSwitch");
  return bridgeAnswers.allowsHostCameraSwitch;
}
void BridgeFaceCrosshairOverride(int32_t* state) {
  RECORD("FaceCrosshairOverride", state, *state);
  if (bridgeAnswers.faceCrosshairState) *state = *bridgeAnswers.faceCrosshairState;
}
void BridgeFaceCrosshairArgument(int32_t* argument) {
  RECORD("FaceCrosshairArgument", argument);
  if (bridgeAnswers.faceCrosshairArgument) *argument = 1;
}
int32_t BridgeZoomIn() {
  RECORD("ZoomIn");
  return bridgeAnswers.zoomIn;
}
void BridgeZoomOut() { RECORD("ZoomOut"); }
int32_t BridgeToggleActivation() {
  RECORD("ToggleActivation");
  return bridgeAnswers.toggleActivation;
}
void BridgeUpdate() { RECORD("Update"); }
int32_t BridgeTakeViewRefreshRequest() {
  RECORD("TakeViewRefreshRequest");
  return bridgeAnswers.viewRefresh;
}
void BridgeClearStateOffsets(HostCameraState* state) { RECORD("ClearStateOffsets", state); }
void BridgeSetFocusPick(const float* point) { RECORD("SetFocusPick", point); }
void BridgeAddLookInput(float* input) { RECORD("AddLookInput", input); }
int32_t BridgeIsHeadCameraActive() {
  RECORD("IsHeadCameraActive");
  return bridgeAnswers.headCameraActive;
}
void BridgeSetPitchLimits(HostActor* actor, float* minimum, float* maximum) {
  RECORD("SetPitchLimits", actor, minimum, maximum);
}
