#pragma once
// A fresh session made the owner's live one for one test, a fake host setting with a read-back
// and an apply callback that tests attach to a value, and the same session against the
// simulated game.

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "controller_state.h"
#include "plugin/plugin.h"
#include "profiles/frame.h"
#include "sim_world.h"
#include "values/appliers.h"
#include "values/hands.h"
#include "values/registry.h"

class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() : session(FreshSession()), registry(session.values) {}
  void TearDown() override { Plugin::Instance().Reset(); }

  Value& At(int32_t index) { return *registry.values.at(index); }

  static Session& FreshSession() {
    Plugin& plugin = Plugin::Instance();
    plugin.Reset();
    plugin.ReplaceSession(plugin.NewSession());
    return *plugin.WithSession([](Session& live) { return &live; });
  }

  Session& session;
  ValueRegistry& registry;
};

// One host float setting; callbacks have no context, so the fake is process-wide.
struct FakeHostSetting {
  static inline ValueData live = ValueData::Float(0);
  static inline std::vector<ValueData> applied;

  static ValueData ReadBack(ValueRegistry&) { return live; }
  static void Apply(ValueRegistry&, ValueData data) { applied.push_back(data); }

  // Makes `value` mirror the fake, which holds `host` and has seen no apply yet.
  static void Attach(Value& value, const ValueData& host) {
    live = host;
    applied.clear();
    value.readBack = ReadBack;
    value.apply = Apply;
  }
};

// A session against a freshly reset simulated game, with the player as the camera target.
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
    frame.followed = target;
    frame.followedActor = target;
    StateOf(Plugin::Instance().controller).followedFormId = target ? target->formId : 0;
  }

  // One updater pass over the given values, as if conditions named them, in `frame`; the
  // plug-in facts come from the session and the owner's camera, as the profile frame gathers
  // them.
  void Pass(std::initializer_list<int32_t> indices) {
    for (int32_t index : indices) SetConditionRefs(registry, index, 1);
    RunUpdaters(registry, UpdaterInput(session, frame));
  }

  // Refreshes one value and reads it as a Bool; fails the test when it is not a set Bool.
  bool Refreshed(int32_t index) {
    Pass({index});
    const ValueData& data = At(index).current;
    EXPECT_TRUE(data.isSet && data.type == ValueType::Bool) << At(index).name;
    return data.AsBool();
  }

  FrameContext frame;

 private:
  static void ResetController() {
    CameraController& controller = Plugin::Instance().controller;
    StateOf(controller).flags = 0;
    StateOf(controller).followedFormId = 0;
    StateOf(controller).requestedRefFormId = 0;
  }
};
