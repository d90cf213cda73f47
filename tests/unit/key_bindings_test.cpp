// Tests of key bindings: chords, edges, replacement and release on reload.

#include <string>

#include "profiles_fixture.h"

namespace {

constexpr int32_t kF1 = 112;
constexpr int32_t kCtrl = 0x11;
constexpr int32_t kShift = 0x10;

class KeyBindingsTest : public ProfilesTest {
 protected:
  // Passes run only at the first frame, so automatic switching never undoes a key's switch.
  static void LoadBindings(const std::string& bindings) {
    Load("!Set fUpdateProfileInterval 1000\n" + bindings +
         "[A]\n"
         "[B]\n"
         "{Flash}\n"
         "(iUnused4 == 1)\n"
         "+Modify iUnused1 1\n"
         "-Modify iUnused2 1\n");
    SetValue(Values(), Vid::iUnused1, ValueData::Int(0), 0);
    SetValue(Values(), Vid::iUnused2, ValueData::Int(0), 0);
    Frame();  // applies the queued requests
  }
  static void Press(std::initializer_list<int32_t> keys) {
    for (int32_t key : keys) Sim().SetKeyDown(key, true);
    Frame();
  }
  static void Release(std::initializer_list<int32_t> keys) {
    for (int32_t key : keys) Sim().SetKeyDown(key, false);
    Frame();
  }
};

TEST_F(KeyBindingsTest, ACtrlChordSwitchesWithItsLock) {
  LoadBindings("!BindKey 112 1 A 5\n");
  Press({kF1});
  EXPECT_EQ(CurrentName(), "__Default");  // F1 without Ctrl
  Release({kF1});
  Press({kCtrl, kShift, kF1});  // extra modifiers may be down
  EXPECT_EQ(CurrentName(), "A");
  EXPECT_GT(LiveSession().profileLockSeconds, 4.9f);
  // The press-only binding does nothing on release (in particular, no switch to profile 0).
  Release({kF1});
  EXPECT_EQ(CurrentName(), "A");
}

TEST_F(KeyBindingsTest, PressAndReleaseEdgesActSeparately) {
  LoadBindings("!BindKey 112 0 A\n!BindKey -112 0 b\n");
  Press({kF1});
  EXPECT_EQ(CurrentName(), "A");
  Release({kF1});
  EXPECT_EQ(CurrentName(), "B");
}

TEST_F(KeyBindingsTest, ANewActionReplacesThatEdgeWhateverTheModifiers) {
  LoadBindings("!BindKey 112 0 A\n!BindKey -112 0 A\n!BindKey 112 1 B\n");
  Press({kF1});  // the unmodified press action is gone
  EXPECT_EQ(CurrentName(), "__Default");
  Release({kF1});  // the release action stays
  EXPECT_EQ(CurrentName(), "A");
  Press({kCtrl, kF1});
  EXPECT_EQ(CurrentName(), "B");
}

TEST_F(KeyBindingsTest, BindKey2RunsTheProfileAtEveryPress) {
  LoadBindings("!BindKey2 112 0 Flash\n");
  for (int i = 0; i < 3; ++i) {
    Press({kF1});
    Release({kF1});
  }
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 3);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused2, 0), 3);
  EXPECT_EQ(FindProfile(LiveSession(), "Flash")->active, 0);
  EXPECT_EQ(CurrentName(), "__Default");
}

TEST_F(KeyBindingsTest, AKeyHeldWhileBindingWaitsForTheNextPress) {
  Sim().SetKeyDown(kF1, true);
  LoadBindings("!BindKey2 112 0 Flash\n");
  Frame();
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 0);
  Release({kF1});
  Press({kF1});
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 1);
}

TEST_F(KeyBindingsTest, KeysAreOnlyReadWhileTheGameWindowIsActiveAndPollingRuns) {
  LoadBindings("!BindKey2 112 0 Flash\n!BindKey -112 0 B\n");
  Sim().activeWindow = 0x999;
  Press({kF1});
  Release({kF1});
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 0);

  Sim().activeWindow = Sim().uiState->window;
  Press({kF1});
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 1);
  // Held across a period without polling: the release is seen at the first poll after it.
  Sim().inputManager->pollStep = 0x100;  // only the low byte counts
  Release({kF1});
  EXPECT_EQ(CurrentName(), "__Default");
  Sim().inputManager->pollStep = 1;
  Frame();
  EXPECT_EQ(CurrentName(), "B");

  Sim().uiState = nullptr;
  Press({kF1});
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 1);
}

TEST_F(KeyBindingsTest, UnbindingAHeldKeyRunsItsReleaseActionFirst) {
  LoadBindings(
      "!BindKey 112 0 A\n!BindKey2 -112 0 Flash\n"
      "[DropRelease]\n+UnBindKey -112\n"
      "[DropPress]\n+UnBindKey 112 1\n");
  Press({kF1});
  EXPECT_EQ(CurrentName(), "A");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 0);
  RunProfileByName(LiveSession(), kOutsideFrame, "DropRelease");
  Frame();
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 1);
  Release({kF1});
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 1);

  RunProfileByName(LiveSession(), kOutsideFrame, "DropPress");  // modifiers are not looked at
  Frame();
  SetProfileByName(LiveSession(), kOutsideFrame, "__Default", 0);
  Press({kF1});
  EXPECT_EQ(CurrentName(), "__Default");
}

TEST_F(KeyBindingsTest, RequestsForUnknownProfilesAreDropped) {
  LoadBindings("!BindKey 112 0 Nowhere\n!BindKey2 113 0\n");
  Press({kF1, 113});
  EXPECT_EQ(CurrentName(), "__Default");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 0);
  EXPECT_TRUE(LiveSession().keyBindingRequests.empty());
}

TEST_F(KeyBindingsTest, ClearingRunsTheReleaseActionsOfHeldKeys) {
  LoadBindings("!BindKey2 -112 0 Flash\n!BindKey2 113 0 Flash\n");
  Press({kF1, 113});
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 1);
  ClearKeyBindings(LiveSession(), Bindings());
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 2);  // F1's release action ran
  Release({kF1, 113});
  Press({kF1, 113});
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 2);
}

TEST_F(KeyBindingsTest, EachOfManyKeysKeepsItsOwnBindings) {
  std::string lines;
  for (int key = 1; key <= 200; ++key) lines += "!BindKey " + std::to_string(key) + " 0 A\n";
  LoadBindings(lines + "!BindKey 150 0 B\n!UnBindKey 160\n");
  EXPECT_EQ(Bindings().size(), 199u);  // 150's first binding replaced, 160's removed
  Press({150});
  EXPECT_EQ(CurrentName(), "B");
  Release({150});
  Press({160});
  EXPECT_EQ(CurrentName(), "B");
  Release({160});
  Press({170});
  EXPECT_EQ(CurrentName(), "A");
}

}  // namespace
