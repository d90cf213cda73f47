#pragma once
// The camera facts the values layer reads and the one camera setting it writes: the followed
// reference (iObjectRefFormId, bIsTargetOverwritten) and the activation (bIsActive). The owner
// of the camera implements it; a registry without a link answers as a camera at rest.

#include <cstdint>

class CameraLink {
 public:
  virtual uint32_t RequestedRefFormId() const = 0;  // 0 = the player
  virtual void SetRequestedRefFormId(uint32_t formId) = 0;
  virtual bool IsActivated() const = 0;

 protected:
  ~CameraLink() = default;
};
