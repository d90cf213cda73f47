#pragma once
// The one camera setting the values layer reads and writes: the reference the camera is asked
// to follow (iObjectRefFormId, bIsTargetOverwritten). The owner of the camera implements it;
// a registry without a link answers as a camera that follows the player.

#include <cstdint>

class CameraLink {
 public:
  virtual uint32_t RequestedRefFormId() const = 0;  // 0 = the player
  virtual void SetRequestedRefFormId(uint32_t formId) = 0;

 protected:
  ~CameraLink() = default;
};
