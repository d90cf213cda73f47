#pragma once
// The tests' one way into the camera controller's whole state: to set up a frame, and to see
// what the operations keep from one frame to the next.

#include "camera/controller.h"

struct ControllerTestAccess {
  static ControllerState& State(CameraController& controller) { return controller; }
};

inline ControllerState& StateOf(CameraController& controller) {
  return ControllerTestAccess::State(controller);
}
