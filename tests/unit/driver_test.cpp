// Tests of profile switching and command runs.

#include "profiles_fixture.h"

namespace {

class DriverTest : public ProfilesTest {
 protected:
  static void ExpectIdle() {
    EXPECT_EQ(LiveSession().switchInProgress, 0);
    EXPECT_EQ(LiveSession().pendingProfile, nullptr);
    EXPECT_EQ(Values().recording, nullptr);
    EXPECT_EQ(LiveSession().deactivatingProfile, nullptr);
    EXPECT_EQ(LiveSession().commandNesting, 0);
  }
  static int32_t Saved(const char* profile, int32_t index) {
    const auto& saved = FindProfile(LiveSession(), profile)->savedValues;
    auto entry = saved.find(index);
    return entry == saved.end() || !entry->second.isSet ? -999 : entry->second.AsInt();
  }
};

TEST_F(DriverTest, ConditionsStopAtTheFirstFailure) {
  static int evaluated = 0;
  evaluated = 0;
  auto counting = [](Session&, const FrameContext&, Condition* c) {
    ++evaluated;
    return c->op == 0;
  };
  Profile profile;
  EXPECT_TRUE(ConditionsHold(LiveSession(), kOutsideFrame, &profile, true));
  EXPECT_FALSE(ConditionsHold(LiveSession(), kOutsideFrame, &profile, false));

  for (int32_t op : {0, 1, 0}) {
    profile.conditions.push_back({});
    profile.conditions.back().op = op;
    profile.conditions.back().evaluator = counting;
  }
  EXPECT_FALSE(ConditionsHold(LiveSession(), kOutsideFrame, &profile, true));
  EXPECT_EQ(evaluated, 2);

  profile.conditions[1].op = 0;
  EXPECT_TRUE(ConditionsHold(LiveSession(), kOutsideFrame, &profile, false));
  profile.conditions[2].evaluator = nullptr;
  EXPECT_FALSE(ConditionsHold(LiveSession(), kOutsideFrame, &profile, true));
}

TEST_F(DriverTest, ASwitchDeactivatesThenActivatesAndRecordsTheFirstChange) {
  Load(
      "!Set iDebug 1\n"
      "Set iUnused1 70\n"
      "[Combat]\n"
      "(iUnused2 == 1)\n"
      "+Set iUnused1 80\n"
      "-Return iUnused1\n");
  EXPECT_EQ(CurrentName(), "__Default");
  EXPECT_EQ(CountLines("Vantrel(DEBUG): Changed profile from None to __Default."), 1);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 70);

  SwitchProfile(LiveSession(), kOutsideFrame, FindProfile(LiveSession(), "Combat"), 3);
  EXPECT_EQ(CurrentName(), "Combat");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 80);
  EXPECT_EQ(Saved("Combat", Vid::iUnused1), 70);
  EXPECT_EQ(LiveSession().profileLockSeconds, 3);
  EXPECT_EQ(CountLines("Vantrel(DEBUG): Changed profile from __Default to Combat."), 1);
  ExpectIdle();

  // Switching to the current profile only sets the lock.
  SwitchProfile(LiveSession(), kOutsideFrame, FindProfile(LiveSession(), "Combat"), 0.5f);
  EXPECT_EQ(LiveSession().profileLockSeconds, 0.5f);
  EXPECT_EQ(CountLines("Changed profile"), 2);

  SetValue(Values(), Vid::iUnused1, ValueData::Int(1), 0);
  SwitchProfile(LiveSession(), kOutsideFrame, LiveSession().defaultProfile, 0);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 70);
  EXPECT_EQ(Saved("Combat", Vid::iUnused1), 70);  // Return leaves the entry in place
  EXPECT_EQ(Saved("__Default", Vid::iUnused1), 70);  // the default's Set ran after Return
  ExpectIdle();
}

TEST_F(DriverTest, SwitchingToNothingClearsTheLock) {
  Load("[A]\n");
  SwitchProfile(LiveSession(), kOutsideFrame, FindProfile(LiveSession(), "A"), 4);
  SwitchProfile(LiveSession(), kOutsideFrame, nullptr, 9);
  EXPECT_EQ(LiveSession().currentProfile, nullptr);
  EXPECT_EQ(LiveSession().profileLockSeconds, 0);
}

TEST_F(DriverTest, CameraAtActivationRecordsHowTheProfileFoundTheCamera) {
  Load("[A]\n[B]\n");
  Profile* a = FindProfile(LiveSession(), "A");
  Profile* b = FindProfile(LiveSession(), "B");
  Sim().SetCameraState(9);  // a head-camera state
  SwitchProfile(LiveSession(), kOutsideFrame, a, 0);
  EXPECT_EQ(a->cameraAtActivation, CameraAtActivation::HeadCamera);
  Sim().SetCameraState(0);  // the host's first person
  SwitchProfile(LiveSession(), kOutsideFrame, b, 0);
  EXPECT_EQ(b->cameraAtActivation, CameraAtActivation::FirstPerson);
  Sim().SetCameraState(7);
  SwitchProfile(LiveSession(), kOutsideFrame, a, 0);
  EXPECT_EQ(a->cameraAtActivation, CameraAtActivation::Other);
  Sim().playerCamera = nullptr;
  SwitchProfile(LiveSession(), kOutsideFrame, b, 0);
  EXPECT_EQ(b->cameraAtActivation, CameraAtActivation::Other);
}

TEST_F(DriverTest, SetProfileAmongDeactivationCommandsRedirectsTheSwitch) {
  Load(
      "[A]\n"
      "-SetProfile B 9\n"
      "[B]\n"
      "+Set iUnused2 2\n"
      "[C]\n"
      "+Set iUnused2 3\n");
  SwitchProfile(LiveSession(), kOutsideFrame, FindProfile(LiveSession(), "A"), 0);
  SetProfileByName(LiveSession(), kOutsideFrame, "C", 4);
  EXPECT_EQ(CurrentName(), "B");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused2, 0), 2);
  EXPECT_EQ(LiveSession().profileLockSeconds, 4);
  ExpectIdle();
}

TEST_F(DriverTest, SetProfileAmongActivationCommandsRunsACompleteNestedSwitch) {
  Load(
      "[A]\n"
      "+Set iUnused1 1\n"
      "+SetProfile B 7\n"
      "+Set iUnused3 3\n"
      "-Set iUnused4 4\n"
      "[B]\n"
      "+Set iUnused2 2\n");
  SetProfileByName(LiveSession(), kOutsideFrame, "a", 2);
  EXPECT_EQ(CurrentName(), "B");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused2, 0), 2);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused3, 0), 3);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused4, 0), 4);  // A was left by the nested switch
  EXPECT_EQ(LiveSession().profileLockSeconds, 2);  // the outer lock wins
  // After the nested switch nothing records into A any more.
  Profile* a = FindProfile(LiveSession(), "A");
  EXPECT_EQ(a->savedValues.count(Vid::iUnused1), 1u);
  EXPECT_EQ(a->savedValues.count(Vid::iUnused3), 0u);
  EXPECT_EQ(FindProfile(LiveSession(), "B")->savedValues.count(Vid::iUnused2), 1u);
  ExpectIdle();
}

TEST_F(DriverTest, SetProfileFallsBackToTheDefaultAndRespectsConditions) {
  Load(
      "[Locked]\n"
      "(iUnused1 == 1)\n"
      "{Side}\n"
      "[Free]\n");
  Profile* free = FindProfile(LiveSession(), "Free");
  SetProfileByName(LiveSession(), kOutsideFrame, "Free", 0);
  EXPECT_EQ(CurrentName(), "Free");  // no conditions: SetProfile may pick it
  SetProfileByName(LiveSession(), kOutsideFrame, "Nowhere", 0);
  EXPECT_EQ(CurrentName(), "__Default");
  SetProfileByIndex(LiveSession(), kOutsideFrame, free->index, 0);
  SetProfileByName(LiveSession(), kOutsideFrame, "Side", 0);  // a parallel profile
  EXPECT_EQ(CurrentName(), "__Default");
  SetProfileByIndex(LiveSession(), kOutsideFrame, free->index, 0);
  SetProfileByIndex(LiveSession(), kOutsideFrame, FindProfile(LiveSession(), "Side")->index, 0);
  EXPECT_EQ(CurrentName(), "__Default");
  SetProfileByIndex(LiveSession(), kOutsideFrame, 99, 0);
  EXPECT_EQ(CurrentName(), "__Default");

  SetProfileByName(LiveSession(), kOutsideFrame, "Locked", 0);
  EXPECT_EQ(CurrentName(), "__Default");
  SetValue(Values(), Vid::iUnused1, ValueData::Int(1), 0);
  FindProfile(LiveSession(), "Locked")->inhibitSeconds = -1;  // inhibit does not stop SetProfile
  SetProfileByName(LiveSession(), kOutsideFrame, "LOCKED", 0);
  EXPECT_EQ(CurrentName(), "Locked");
  EXPECT_EQ(FindProfile(LiveSession(), " Locked"), nullptr);  // names are not trimmed
}

TEST_F(DriverTest, RunProfileRunsBothPhasesAndChangesNoState) {
  Load(
      "!Set iDebug 1\n"
      "!Set iUnused1 5\n"
      "{Flash}\n"
      "(iUnused3 == 1)\n"
      "+Set iUnused1 6\n"
      "-Set iUnused2 7\n");
  const int lines = CountLines("Vantrel(DEBUG)");
  Profile* flash = FindProfile(LiveSession(), "Flash");
  flash->savedValues[Vid::iFocusDelay] = ValueData::Int(1);
  RunProfileByName(LiveSession(), kOutsideFrame, "flash");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), 6);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused2, 0), 7);
  EXPECT_EQ(flash->savedValues.size(), 1u);  // emptied, then the "+" change recorded
  EXPECT_EQ(flash->savedValues[Vid::iUnused1].AsInt(), 5);
  EXPECT_EQ(flash->active, 0);
  EXPECT_EQ(CurrentName(), "__Default");
  EXPECT_EQ(CountLines("Vantrel(DEBUG)"), lines);
  ExpectIdle();

  RunProfileByIndex(LiveSession(), kOutsideFrame, 123);
  RunProfileByName(LiveSession(), kOutsideFrame, "missing");
  ExpectIdle();
}

TEST_F(DriverTest, AProfileRunningItselfStopsAtTheNestingBoundWithOneLine) {
  Load(
      "!Set iUnused1 0\n"
      "!Set iUnused2 0\n"
      "[Loop]\n"
      "+Modify iUnused1 1\n"
      "+RunProfile Loop\n"
      "-Modify iUnused2 1\n");
  RunProfileByName(LiveSession(), kOutsideFrame, "Loop");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), kMaxCommandNesting);
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused2, 0), kMaxCommandNesting);
  EXPECT_EQ(CountLines("Vantrel: Profile commands of 'Loop' stopped: nested too deeply."), 1);
  ExpectIdle();
}

TEST_F(DriverTest, TwoProfilesSwitchingToEachOtherEndConsistent) {
  Load(
      "!Set iUnused1 0\n"
      "[A]\n"
      "+Modify iUnused1 1\n"
      "+SetProfile B\n"
      "[B]\n"
      "+Modify iUnused1 1\n"
      "+SetProfile A\n");
  SetProfileByName(LiveSession(), kOutsideFrame, "A", 0);
  const std::string current = CurrentName();
  EXPECT_TRUE(current == "A" || current == "B") << current;
  // Every switch nests one level deeper; the switch that reaches the bound runs no command.
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), kMaxCommandNesting);
  ExpectIdle();

  // The driver goes on working afterwards.
  SetProfileByIndex(LiveSession(), kOutsideFrame, LiveSession().defaultProfile->index, 0);
  EXPECT_EQ(CurrentName(), "__Default");
}

TEST_F(DriverTest, AProfileThatMultipliesItselfIsCutOff) {
  std::string text = "!Set iUnused1 0\n[Bomb]\n+Modify iUnused1 1\n";
  for (int i = 0; i < 8; ++i) text += "+RunProfile Bomb\n-RunProfile Bomb\n";
  Load(text);
  // 16^16 runs without a bound on the whole chain
  RunProfileByName(LiveSession(), kOutsideFrame, "Bomb");
  const int32_t runs = ValueOr<int32_t>(Values(), Vid::iUnused1, 0);
  EXPECT_GT(runs, kMaxCommandNesting);
  // Each of the two phases of a RunProfile is an outermost run with its own allowance.
  EXPECT_LE(runs, 2 * kMaxCommandsPerChain);
  // One line per outermost run, for whichever bound stopped it first.
  EXPECT_EQ(CountLines("Vantrel: Profile commands of 'Bomb' stopped: "), 2);
  ExpectIdle();

  // A new outermost run has its full allowance again.
  SetValue(Values(), Vid::iUnused1, ValueData::Int(0), 0);
  RunProfileByName(LiveSession(), kOutsideFrame, "Bomb");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), runs);
}

}  // namespace
