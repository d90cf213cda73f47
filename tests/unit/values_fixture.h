#pragma once
// A fresh registry made current for one test, a fake host setting with a read-back and an
// apply callback that tests attach to a value, and the same registry against the simulated game.

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "camera/controller.h"
#include "sim_world.h"
#include "values/appliers.h"
#include "values/hands.h"
#include "values/registry.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = currentRegistry;
    currentRegistry = &registry;
  }
  void TearDown() override { currentRegistry = previous_; }

  Value& At(int32_t index) { return *registry.values.at(index); }

  ValueRegistry registry;

 private:
  ValueRegistry* previous_ = nullptr;
};

// One host float setting; callbacks have no context, so the fake is process-wide.
struct FakeHostSetting {
  static inline ValueData live = ValueData::Float(0);
  static inline std::vector<ValueData> applied;

  static ValueData ReadBack() { return live; }
  static void Apply(ValueData data) { applied.push_back(data); }

  // Makes `value` mirror the fake, which holds `host` and has seen no apply yet.
  static void Attach(Value& value, const ValueData& host) {
    live = host;
    applied.clear();
    value.readBack = ReadBack;
    value.apply = Apply;
  }
};

// A registry against a freshly reset simulated game, with the player as the camera target.
class SimRegistryTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    Sim().Reset();
    ResetController();
    handCacheStale = 1;
    projectionRefreshPending = 0;
    Follow(Sim().player);
  }
  void TearDown() override {
    ResetController();
    RegistryTest::TearDown();
  }

  void Follow(HostActor* target) {
    registry.actor = target;
    registry.actorAsCharacter = target;
    CameraController::Instance().targetFormId = target ? target->formId : 0;
  }

  // One updater pass over the given values, as if conditions named them.
  void Pass(std::initializer_list<int32_t> indices) {
    for (int32_t index : indices) At(index).conditionRefs = 1;
    handCacheStale = 1;
    RunUpdaters();
  }

  // Refreshes one value and reads it as a Bool; fails the test when it is not a set Bool.
  bool Refreshed(int32_t index) {
    Pass({index});
    const ValueData& data = At(index).current;
    EXPECT_TRUE(data.isSet && data.type == ValueType::Bool) << At(index).name;
    return data.AsBool();
  }

 private:
  static void ResetController() {
    CameraController& controller = CameraController::Instance();
    controller.flags = 0;
    controller.targetFormId = 0;
    controller.targetRefFormId = 0;
  }
};
