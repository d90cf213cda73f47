#pragma once
// Which host camera states the controller acts in. The head-camera set is in controller.h
// because the profile driver asks it too.

#include <cstdint>

bool IsYawPitchStateId(int32_t id);  // the state carries its own yaw and pitch
bool IsHeadTrackingStateId(int32_t id);
bool IsClearedOffsetStateId(int32_t id);  // its three offset fields are zeroed in head view
