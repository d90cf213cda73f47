#pragma once
// What profile commands may do to the camera: follow another reference and queue timed turns.
// The owner of the camera implements it; commands never reach the controller itself.

#include "camera/controller.h"
#include "values/camera_link.h"

class CameraCommands : public CameraLink {
 public:
  virtual void QueueRotation(const RotationItem& item) = 0;

 protected:
  ~CameraCommands() = default;
};
