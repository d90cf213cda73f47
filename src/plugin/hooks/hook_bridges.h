#pragma once
// What the stubs call: plain cdecl functions into the camera controller and the session.
// Answers the stubs branch on are 0 or 1 in the whole of EAX.

#include <cstdint>

#include "host/host.h"

extern "C" {
int32_t BridgeIsHeadTrackedActor(HostActor* actor);
void BridgeRestrictAndOverride(float* yaw, float* pitch, float* position, float* rotation);
void BridgeOverride(float* position, float* rotation);
void BridgeOnDismountStart(HostActor* actor);
void BridgeOnMountStart(HostActor* actor);
int32_t BridgeAllowsHostCameraSwitch();
void BridgeFaceCrosshairOverride(int32_t* state);
void BridgeFaceCrosshairArgument(int32_t* argument);
int32_t BridgeZoomIn();
void BridgeZoomOut();
int32_t BridgeToggleActivation();
void BridgeUpdate();
int32_t BridgeTakeViewRefreshRequest();
void BridgeClearStateOffsets(HostCameraState* state);
void BridgeSetFocusPick(const float* point);
void BridgeAddLookInput(float* input);
int32_t BridgeIsHeadCameraActive();
void BridgeSetPitchLimits(HostActor* actor, float* minimum, float* maximum);
}
