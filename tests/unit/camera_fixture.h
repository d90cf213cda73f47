#pragma once
// The owner's camera controller over a fresh simulated world and an empty session (every
// setting unset), for one test.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "camera/controller.h"
#include "controller_state.h"
#include "plugin/plugin.h"
#include "sim_world.h"
#include "values/registry.h"

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Owner().Reset();
    Sim().Reset();
    Controller().Reset();
    Owner().ReplaceSession(Owner().NewSession());
  }

  void TearDown() override {
    Owner().Reset();
    Controller().Reset();
  }

  static Plugin& Owner() { return Plugin::Instance(); }
  static CameraController& Controller() { return Owner().controller; }
  static Session& LiveSession() {
    return *Owner().WithSession([](Session& session) { return &session; });
  }
  static ValueRegistry& Values() { return LiveSession().values; }

  static void SetFloat(int32_t index, float value) {
    SetValue(Values(), index, ValueData::Float(value), 0);
  }
  static void SetInt(int32_t index, int32_t value) {
    SetValue(Values(), index, ValueData::Int(value), 0);
  }
  static void SetBool(int32_t index, bool value) {
    SetValue(Values(), index, ValueData::Bool(value), 0);
  }

  // Frames as the main-loop hook runs them.
  static void Frames(int count) {
    for (int i = 0; i < count; ++i) Owner().RunFrame();
  }

  static std::array<float, 3> Position() {
    const float* p = StateOf(Controller()).position;
    return {p[0], p[1], p[2]};
  }

  static Matrix3 Rotation() {
    Matrix3 m;
    std::copy(StateOf(Controller()).rotation, StateOf(Controller()).rotation + 9, m.m);
    return m;
  }

  static HostNode* PlayerNode(const char* name) { return Sim().FindNode(Sim().player, name); }

  // World rotation Rz(−yaw)·Rx(pitch), radians, as a node or camera looking that way holds it.
  static std::array<float, 9> Looking(float yaw, float pitch) {
    Matrix3 m = YawPitchOrientation(yaw, pitch);
    std::array<float, 9> out;
    std::copy(m.m, m.m + 9, out.begin());
    return out;
  }
};

// Element-wise comparison of two rotations.
inline ::testing::AssertionResult RotationsNear(const Matrix3& a, const Matrix3& b,
                                                float tolerance) {
  for (int i = 0; i < 9; ++i) {
    if (!(std::fabs(a.m[i] - b.m[i]) <= tolerance)) {
      return ::testing::AssertionFailure() << "element " << i << ": " << a.m[i] << " vs " << b.m[i];
    }
  }
  return ::testing::AssertionSuccess();
}
