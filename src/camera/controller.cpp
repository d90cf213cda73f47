// The controller singleton and the host camera state sets.

#include "camera/controller.h"

CameraController& CameraController::Instance() {
  // Created on first use and never destroyed: hooks may still run while the process exits.
  static CameraController* instance = new CameraController();
  return *instance;
}

void CameraController::QueueRotation(const RotationItem& item) {
  if (item.axis == 0 || item.axis == 1) rotationQueues[item.axis].push_back(item);
}

bool CameraController::IsHeadCameraState() const {
  return IsHeadCameraStateId(HostCameraStateIdOrNone());
}

int32_t HostCameraStateIdOrNone() {
  HostCamera* camera = HostPlayerCamera();
  if (!camera) return -1;
  HostCameraState* state = HostCameraCurrentState(camera);
  return state ? HostCameraStateId(state) : -1;
}

bool IsHeadCameraStateId(int32_t id) {
  switch (id) {
    case 2: case 5: case 6: case 8: case 9: case 10: case 11: case 12:
      return true;
    default:
      return false;
  }
}
