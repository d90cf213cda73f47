#pragma once
// A fresh plug-in state over a fresh simulated world for one test: an empty session made the
// owner's live one, no key bindings, no keyword table, the controller following the player.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "camera/controller.h"
#include "config/loader.h"
#include "controller_state.h"
#include "plugin/plugin.h"
#include "profiles/driver.h"
#include "profiles/evaluators.h"
#include "profiles/key_bindings.h"
#include "profiles/keywords.h"
#include "sim_world.h"
#include "values/registry.h"

class ProfilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Owner().Reset();
    Sim().Reset();
    ResetKeywordNameTable();
    ResetController();
    Owner().ReplaceSession(Owner().NewSession());
  }

  void TearDown() override {
    Owner().Reset();
    ResetKeywordNameTable();
    ResetController();
  }

  static Plugin& Owner() { return Plugin::Instance(); }

  static void ResetController() {
    CameraController& controller = Owner().controller;
    StateOf(controller).requestedRefFormId = 0;
    StateOf(controller).rotationQueues[0].clear();
    StateOf(controller).rotationQueues[1].clear();
    StateOf(controller).frame = FrameContext{};
  }

  static Session& LiveSession() {
    return *Owner().WithSession([](Session& session) { return &session; });
  }
  static ValueRegistry& Values() { return LiveSession().values; }
  static KeyBindingList& Bindings() { return Owner().keyBindings; }
  static void Load(std::string_view text) { LoadConfigurationText(LiveSession(), text); }
  // A new session with only this configuration.
  static void LoadFresh(std::string_view text) {
    Owner().ReplaceSession(Owner().NewSession());
    Load(text);
  }

  // One driver frame of dt seconds with the camera following `target` (the player by default).
  static void Frame(float dt = 1.0f / 60, HostRef* target = PlayerRef(),
                    HostActor* actor = Sim().player) {
    Owner().RunSessionFrame(
        {.followed = target, .followedActor = actor, .frameTime = dt, .activeFrameTime = dt});
  }

  static HostRef* PlayerRef() { return HostActorAsRef(Sim().player); }

  static std::string CurrentName() {
    Profile* current = LiveSession().currentProfile;
    return current ? current->name : "null";
  }

  // Console lines, shown or still queued, that contain `part`.
  static int CountLines(std::string_view part) {
    int count = 0;
    auto tally = [&](const std::string& line) {
      if (line.find(part) != std::string::npos) ++count;
    };
    if (Sim().console) for (const std::string& line : Sim().console->lines) tally(line);
    for (const std::string& line : LiveSession().messageQueue) tally(line);
    return count;
  }
};
