#pragma once
// Which host camera states the controller acts in.

#include <cstdint>

bool IsHeadCameraStateId(int32_t id);  // the head camera may take over
bool IsYawPitchStateId(int32_t id);  // the state carries its own yaw and pitch
bool IsHeadTrackingStateId(int32_t id);
bool IsClearedOffsetStateId(int32_t id);  // its three offset fields are zeroed in head view
