#pragma once
// How the camera controller reads and writes the values it acts on. The owner of the session
// answers under its lock; a read without a session fails and leaves the default in place.

#include <cstdint>

class CameraSettings {
 public:
  [[nodiscard]] virtual bool GetFloat(int32_t index, float& out) = 0;
  [[nodiscard]] virtual bool GetInt(int32_t index, int32_t& out) = 0;
  [[nodiscard]] virtual bool GetBool(int32_t index, bool& out) = 0;
  virtual void SetBool(int32_t index, bool on) = 0;
  virtual void ToggleBool(int32_t index) = 0;

 protected:
  ~CameraSettings() = default;
};
