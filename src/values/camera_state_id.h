#pragma once
// The host camera's current state id, read by the values and by the camera controller.

#include <cstdint>

// The id of the player camera's current state, or -1 without a camera or state.
int32_t HostCameraStateIdOrNone();
