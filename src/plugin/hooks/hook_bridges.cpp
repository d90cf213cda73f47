#include "plugin/hooks/hook_bridges.h"

#include "plugin/plugin.h"
#include "values/appliers.h"

namespace {
CameraController& Controller() { return Plugin::Instance().controller; }
}  // namespace

int32_t BridgeIsHeadTrackedActor(HostActor* actor) {
  return Controller().IsHeadTrackedActor(actor) ? 1 : 0;
}

void BridgeRestrictAndOverride(float* yaw, float* pitch, float* position, float* rotation) {
  CameraController& controller = Controller();
  controller.RestrictLook(yaw, pitch);
  controller.OverridePosition(position);
  controller.OverrideRotation(rotation);
}

void BridgeOverride(float* position, float* rotation) {
  CameraController& controller = Controller();
  controller.OverridePosition(position);
  controller.OverrideRotation(rotation);
}

void BridgeOnDismountStart(HostActor* actor) { Plugin::Instance().OnDismountStart(actor); }
void BridgeOnMountStart(HostActor* actor) { Plugin::Instance().OnMountStart(actor); }

int32_t BridgeAllowsHostCameraSwitch() { return Controller().AllowsHostCameraSwitch() ? 1 : 0; }

void BridgeFaceCrosshairOverride(int32_t* state) { Controller().FaceCrosshairOverride(state); }
void BridgeFaceCrosshairArgument(int32_t* argument) {
  Controller().FaceCrosshairArgument(argument);
}

int32_t BridgeZoomIn() { return Controller().ZoomIn() == 1 ? 1 : 0; }
void BridgeZoomOut() { Controller().ZoomOut(); }
int32_t BridgeToggleActivation() { return Controller().ToggleActivation() == 1 ? 1 : 0; }

void BridgeUpdate() { Plugin::Instance().RunFrame(); }

int32_t BridgeTakeViewRefreshRequest() { return TakeViewRefreshRequest() != 0 ? 1 : 0; }

void BridgeClearStateOffsets(HostCameraState* state) { Controller().ClearStateOffsets(state); }
void BridgeSetFocusPick(const float* point) { OnCrosshairPickPoint(point); }
void BridgeAddLookInput(float* input) { Controller().AddLookInput(input); }

int32_t BridgeIsHeadCameraActive() { return Controller().IsHeadCameraActive() ? 1 : 0; }

void BridgeSetPitchLimits(HostActor* actor, float* minimum, float* maximum) {
  Controller().SetPitchLimits(actor, minimum, maximum);
}
