#pragma once
// The camera's settings in the live session, for a caller that already holds pluginMutex_
// (the frame holds it throughout): no lock of its own. Without a session reads fail.

#include <memory>

#include "camera/camera_settings.h"
#include "profiles/session.h"

class HeldSessionSettings final : public CameraSettings {
 public:
  explicit HeldSessionSettings(const std::unique_ptr<Session>& session) : session_(session) {}

  bool GetFloat(int32_t index, float& out) override {
    return session_ && ::GetFloat(session_->values, index, out);
  }
  bool GetInt(int32_t index, int32_t& out) override {
    return session_ && ::GetInt(session_->values, index, out);
  }
  bool GetBool(int32_t index, bool& out) override {
    return session_ && ::GetBool(session_->values, index, out);
  }
  void SetBool(int32_t index, bool on) override {
    if (session_) SetValue(session_->values, index, ValueData::Bool(on), 0);
  }
  void ToggleBool(int32_t index) override {
    if (session_) ::ToggleBool(session_->values, index);
  }

 private:
  const std::unique_ptr<Session>& session_;
};
