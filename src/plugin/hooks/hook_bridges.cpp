// The functions the hook stubs call: each hands one hook's data to the camera or the session.

#include "plugin/hooks/hook_bridges.h"

#include "plugin/hooks/contained.h"
#include "plugin/plugin.h"
#include "values/appliers.h"

// When a call fails (it can run out of memory, or fail to take a lock), the game gets the
// answer that leaves its own behaviour as it is, and the camera work waits for the next frame.

namespace {
CameraController& Controller() { return Plugin::Instance().controller; }
}  // namespace

int32_t BridgeIsHeadTrackedActor(HostActor* actor) {
  return AnswerOr(0, [&] { return Controller().IsHeadTrackedActor(actor) ? 1 : 0; });
}

void BridgeRestrictAndOverride(float* yaw, float* pitch, float* position, float* rotation) {
  Contained([&] {
    CameraController& controller = Controller();
    controller.RestrictLook(yaw, pitch);
    controller.OverrideView(position, rotation);
  });
}

void BridgeOverride(float* position, float* rotation) {
  Contained([&] { Controller().OverrideView(position, rotation); });
}

void BridgeOnDismountStart(HostActor* actor) {
  Contained([&] { Plugin::Instance().OnDismountStart(actor); });
}
void BridgeOnMountStart(HostActor* actor) {
  Contained([&] { Plugin::Instance().OnMountStart(actor); });
}

int32_t BridgeAllowsHostCameraSwitch() {
  return AnswerOr(1, [] { return Controller().AllowsHostCameraSwitch() ? 1 : 0; });
}

void BridgeFaceCrosshairOverride(int32_t* state) {
  Contained([&] { Controller().FaceCrosshairOverride(state); });
}
void BridgeFaceCrosshairArgument(int32_t* argument) {
  Contained([&] { Controller().FaceCrosshairArgument(argument); });
}

int32_t BridgeZoomIn() {
  return AnswerOr(0, [] { return Controller().ZoomIn() == 1 ? 1 : 0; });
}
void BridgeZoomOut() {
  Contained([] { Controller().ZoomOut(); });
}
int32_t BridgeToggleActivation() {
  return AnswerOr(0, [] { return Controller().ToggleActivation() == 1 ? 1 : 0; });
}

void BridgeUpdate() {
  Contained([] { Plugin::Instance().RunFrame(); });
}

int32_t BridgeTakeViewRefreshRequest() {
  return AnswerOr(0, [] { return TakeViewRefreshRequest() != 0 ? 1 : 0; });
}

void BridgeClearStateOffsets(HostCameraState* state) {
  Contained([&] { Controller().ClearStateOffsets(state); });
}
void BridgeSetFocusPick(const float* point) {
  Contained([&] { OnCrosshairPickPoint(point); });
}
void BridgeAddLookInput(float* input) {
  Contained([&] { Controller().AddLookInput(input); });
}

int32_t BridgeIsHeadCameraActive() {
  return AnswerOr(0, [] { return Controller().IsHeadCameraActive() ? 1 : 0; });
}

void BridgeSetPitchLimits(HostActor* actor, float* minimum, float* maximum) {
  Contained([&] { Controller().SetPitchLimits(actor, minimum, maximum); });
}
