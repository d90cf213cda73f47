// The host camera's current state id.

#include "values/camera_state_id.h"

#include "host/host.h"

int32_t HostCameraStateIdOrNone() {
  HostCamera* camera = HostPlayerCamera();
  if (!camera) return -1;
  HostCameraState* state = HostCameraCurrentState(camera);
  return state ? HostCameraStateId(state) : -1;
}
