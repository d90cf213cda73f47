#include "camera/state_sets.h"

#include "camera/controller.h"

bool IsHeadCameraStateId(int32_t id) {
  switch (id) {
    case 2: case 5: case 6: case 8: case 9: case 10: case 11: case 12:
      return true;
    default:
      return false;
  }
}

bool IsYawPitchStateId(int32_t id) { return id == 9 || id == 10 || id == 12; }

bool IsHeadTrackingStateId(int32_t id) {
  switch (id) {
    case 3: case 5: case 8: case 9: case 10: case 12:
      return true;
    default:
      return false;
  }
}

bool IsClearedOffsetStateId(int32_t id) { return id >= 5 && id <= 12 && id != 7; }

int32_t HostCameraStateIdOrNone() {
  HostCamera* camera = HostPlayerCamera();
  if (!camera) return -1;
  HostCameraState* state = HostCameraCurrentState(camera);
  return state ? HostCameraStateId(state) : -1;
}
