// Tests of the profile frame: which profile is current, parallel profiles, countdowns.

#include <cstdio>
#include <fstream>
#include <string>

#include "profiles_fixture.h"
#include "values/hands.h"

namespace {

class FrameTest : public ProfilesTest {
 protected:
  static void SetInt(int32_t index, int32_t number) {
    SetValue(Values(), index, ValueData::Int(number), 0);
  }
};

TEST_F(FrameTest, DrawingAWeaponSwitchesToCombatAndSheathingReturns) {
  Load(
      "!Set iDebug 1\n"
      "Set fFOV 70\n"
      "[Combat]\n"
      "(bWeaponOut)\n"
      "+Set fFOV 80\n"
      "-Return fFOV\n");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFOV, 0), 70);
  Frame();
  EXPECT_EQ(CurrentName(), "__Default");
  EXPECT_TRUE(LiveSession().messageQueue.empty());  // handed to the console
  EXPECT_EQ(CountLines("Vantrel: Loaded 2 profiles from configuration file."), 1);

  Sim().player->stateWord = 0x60;
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "Combat");
  EXPECT_EQ(CountLines("Vantrel(DEBUG): Changed profile from __Default to Combat."), 1);
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFOV, 0), 80);
  Profile* combat = FindProfile(LiveSession(), "Combat");
  ASSERT_EQ(combat->savedValues.count(Vid::fFOV), 1u);
  EXPECT_EQ(combat->savedValues[Vid::fFOV].AsFloat(), 70);

  Sim().player->stateWord = 0;
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "__Default");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFOV, 0), 70);
  // The default's own Set ran after Return had restored 70.
  EXPECT_EQ(LiveSession().defaultProfile->savedValues[Vid::fFOV].AsFloat(), 70);
}

TEST_F(FrameTest, TheFirstHoldingExclusiveProfileWinsUnlessInhibitedOrLocked) {
  Load(
      "!Set iDebug 1\n"
      "[Skipped]\n(iUnused1 >= 1)\nskip\n"
      "[First]\n(iUnused1 == 1)\n"
      "[Second]\n(iUnused1 >= 1)\n"
      "[Bare]\n");
  Frame(0.1f);
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "__Default");
  EXPECT_EQ(CountLines("Changed profile"), 1);  // staying on the default logs nothing

  SetInt(Vid::iUnused1, 1);
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "First");
  SetInt(Vid::iUnused1, 2);
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "Second");

  FindProfile(LiveSession(), "Second")->inhibitSeconds = 0.15f;
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "__Default");
  Frame(0.1f);  // the inhibit ran out before this pass
  EXPECT_EQ(CurrentName(), "Second");

  SetProfileByName(LiveSession(), kOutsideFrame, "__Default", 0.25f);
  Frame(0.1f);
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "__Default");
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "Second");

  // No conditions: chosen only by SetProfile.
  SetProfileByName(LiveSession(), kOutsideFrame, "Bare", 0.15f);
  SetInt(Vid::iUnused1, 0);
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "Bare");  // locked: not even the default takes over
  Frame(0.1f);
  EXPECT_EQ(CurrentName(), "__Default");
}

TEST_F(FrameTest, ParallelProfilesToggleInFileOrderBesideTheCurrentOne) {
  Load(
      "!Set iDebug 1\n"
      "!Set iUnused3 0\n"
      "!Set iUnused4 0\n"
      "{Enabler}\n(iUnused2 == 1)\n+Set iUnused1 1\n-Modify iUnused4 1\n+Modify iUnused3 1\n"
      "[First]\n(iUnused1 == 1)\n");
  Frame(0.1f);
  SetInt(Vid::iUnused2, 1);
  Frame(0.1f);
  // The parallel profile ran before First was looked at, in the same pass.
  EXPECT_EQ(CurrentName(), "First");
  Profile* enabler = FindProfile(LiveSession(), "Enabler");
  EXPECT_EQ(enabler->active, 1);
  EXPECT_EQ(enabler->savedValues.count(Vid::iUnused1), 1u);  // recorded while activating
  Frame(0.1f);
  Frame(0.1f);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused3, 0), 1);
  EXPECT_EQ(CountLines("Vantrel(DEBUG): Activating profile Enabler."), 1);

  // While a lock runs, parallel profiles still follow their conditions.
  SetProfileByName(LiveSession(), kOutsideFrame, "First", 10);
  enabler->inhibitSeconds = 0.15f;
  Frame(0.1f);
  EXPECT_EQ(enabler->active, 0);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused4, 0), 1);
  EXPECT_EQ(CountLines("Vantrel(DEBUG): Deactivating profile Enabler."), 1);
  Frame(0.1f);
  EXPECT_EQ(enabler->active, 1);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused3, 0), 2);
  EXPECT_EQ(Values().recording, nullptr);
}

TEST_F(FrameTest, PassesRunAtTheIntervalAndAtTheFirstFrame) {
  Load("[First]\n(iUnused1 == 1)\n");
  SetInt(Vid::iUnused1, 1);
  Frame(0.001f);  // a fresh session evaluates at once
  EXPECT_EQ(CurrentName(), "First");

  // Unset interval: every 0.1 s at most.
  SetInt(Vid::iUnused1, 0);
  for (int frame = 1; frame <= 3; ++frame) Frame(1.0f / 32);
  EXPECT_EQ(CurrentName(), "First");
  Frame(1.0f / 32);
  EXPECT_EQ(CurrentName(), "__Default");

  SetValue(Values(), Vid::fUpdateProfileInterval, ValueData::Float(0.5f), 0);
  Frame(0.125f);  // this pass reads the new interval
  SetInt(Vid::iUnused1, 1);
  for (int frame = 1; frame <= 3; ++frame) Frame(0.125f);
  EXPECT_EQ(CurrentName(), "__Default");
  Frame(0.125f);
  EXPECT_EQ(CurrentName(), "First");
}

TEST_F(FrameTest, TimersCountDownAndTheTargetIsOnlyKnownDuringTheFrame) {
  Load("[Act]\n(iUnused1 == 1)\n+SendAnimEvent Draw\n");
  LiveSession().mountCountdown = 0.05f;
  LiveSession().dismountCountdown = 0.3f;
  Frame(0.1f);
  EXPECT_EQ(LiveSession().mountCountdown, 0);
  EXPECT_FLOAT_EQ(LiveSession().dismountCountdown, 0.2f);

  // The game is paused: the windows stand still.
  Owner().RunSessionFrame({.followed = PlayerRef(), .followedActor = Sim().player,
                           .frameTime = 0.1f, .activeFrameTime = 0});
  EXPECT_FLOAT_EQ(LiveSession().dismountCountdown, 0.2f);

  handCacheStale = 0;
  SetInt(Vid::iUnused1, 1);
  Frame(0.1f);
  EXPECT_EQ(handCacheStale, 1);
  EXPECT_EQ(Sim().player->animEvents, std::vector<std::string>{"Draw"});
  RunProfileByName(LiveSession(), kOutsideFrame, "Act");  // outside the frame: no one to send to
  EXPECT_EQ(Sim().player->animEvents.size(), 1u);
}

TEST_F(FrameTest, AReloadClearsBindingsRunningTheReleaseActionsOfHeldKeys) {
  const std::string path = testing::TempDir() + "vantrel_frame_reload.txt";
  std::ofstream(path) << "[FromFile]\n";
  const std::string previousPath = ConfigurationPath();
  SetConfigurationPath(path);

  Load(
      "!BindKey2 -112 0 Flash\n"
      "[Flash]\n+GoFirstPerson\n"
      "[Later]\n+Reload\n+Set iUnused1 9\n");
  Frame();
  Sim().SetKeyDown(112, true);
  Frame();
  RunProfileByName(LiveSession(), kOutsideFrame, "Later");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 9);  // commands after Reload still run
  EXPECT_NE(FindProfile(LiveSession(), "Flash"), nullptr);
  EXPECT_TRUE(Sim().playerCamera->personCalls.empty());

  Frame();
  EXPECT_EQ(Sim().playerCamera->personCalls.size(), 1u);  // the held key's release action
  EXPECT_NE(FindProfile(LiveSession(), "FromFile"), nullptr);
  EXPECT_EQ(FindProfile(LiveSession(), "Flash"), nullptr);
  Sim().SetKeyDown(112, false);
  Frame();
  EXPECT_EQ(Sim().playerCamera->personCalls.size(), 1u);

  SetConfigurationPath(previousPath);
  std::remove(path.c_str());
}

}  // namespace
