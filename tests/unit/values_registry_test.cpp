// Tests of the value registry: the table, typed reads, set, reset and refresh.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/profile.h"
#include "sim_objects.h"
#include "values/registry.h"
#include "values_fixture.h"

namespace {

using ValueRegistryTest = RegistryTest;

TEST_F(ValueRegistryTest, RegistersTheFixedTable) {
  ASSERT_EQ(registry.values.size(), 73u);
  int gameStates = 0;
  for (int32_t i = 0; i < Vid::Count; ++i) {
    const Value& value = At(i);
    EXPECT_EQ(value.index, i);
    EXPECT_FALSE(value.current.isSet);
    EXPECT_FALSE(value.base.isSet);
    if (value.kind == ValueKind::GameState) {
      ++gameStates;
      EXPECT_EQ(value.readBack, nullptr) << value.name;
      EXPECT_EQ(value.apply, nullptr) << value.name;
    } else {
      EXPECT_EQ(value.updater, nullptr) << value.name;
    }
  }
  EXPECT_EQ(gameStates, 36);
  EXPECT_EQ(At(Vid::iObjectRefFormId).kind, ValueKind::Setting);
  EXPECT_EQ(At(Vid::bIndoors).kind, ValueKind::GameState);
  EXPECT_EQ(At(Vid::sRace).type, ValueType::String);
  EXPECT_EQ(At(Vid::iCameraState).type, ValueType::Int);
  EXPECT_EQ(At(Vid::fExtraRotationMouse).type, ValueType::Float);
  EXPECT_STREQ(At(Vid::bIsInQARN).name, "bIsInQARN");
}

TEST_F(ValueRegistryTest, FindValueIgnoresCaseButNotExtraText) {
  ASSERT_NE(FindValue(registry, "bwalking"), nullptr);
  EXPECT_EQ(FindValue(registry, "bwalking")->index, 0);
  EXPECT_EQ(FindValue(registry, "FFOV")->index, Vid::fFOV);
  EXPECT_EQ(FindValue(registry, "bWalk"), nullptr);
  EXPECT_EQ(FindValue(registry, "bWalking "), nullptr);
  EXPECT_EQ(FindValue(registry, ""), nullptr);
}

TEST_F(ValueRegistryTest, RegisterValueGrowsWithNullSlotsAndIgnoresNegativeIndices) {
  RegisterValue(registry, -1, "fNegative", ValueKind::Setting, nullptr, nullptr, nullptr);
  EXPECT_EQ(registry.values.size(), 73u);
  RegisterValue(registry, 80, "fExtra", ValueKind::Setting, nullptr, nullptr, nullptr);
  ASSERT_EQ(registry.values.size(), 81u);
  EXPECT_EQ(ValueAt(registry, 75), nullptr);
  EXPECT_EQ(ValueAt(registry, 80)->type, ValueType::Float);
  SetValue(registry, 75, ValueData::Float(1), 0);  // null slot: ignored
  SetValue(registry, 80, ValueData::Float(1), 0);
  float out = 0;
  EXPECT_TRUE(GetFloat(registry, 80, out));
  EXPECT_EQ(out, 1);
}

TEST_F(ValueRegistryTest, SetValueRefusesWhatItCannotHold) {
  SetValue(registry, Vid::fFOV, ValueData::Int(90), 0);
  EXPECT_FALSE(At(Vid::fFOV).current.isSet);
  SetValue(registry, Vid::bWalking, ValueData::Bool(true), 0);
  EXPECT_FALSE(At(Vid::bWalking).current.isSet);
  SetValue(registry, Vid::sRace, ValueData::String("Nord"), 0);
  EXPECT_FALSE(At(Vid::sRace).current.isSet);
  // A bad index is ignored: no slot appears, no value changes, a read fails and writes nothing.
  for (int32_t index : {-1, 73, 1 << 30}) {
    SetValue(registry, index, ValueData::Float(1), 0);
    ResetValue(registry, index, 0);
    EXPECT_EQ(ValueAt(registry, index), nullptr) << index;
    float out = 3;
    EXPECT_FALSE(GetFloat(registry, index, out)) << index;
    EXPECT_EQ(out, 3) << index;
  }
  TickValues(registry, 1);
  EXPECT_EQ(registry.values.size(), 73u);
  for (const auto& value : registry.values) EXPECT_FALSE(value->current.isSet) << value->name;
}

TEST_F(ValueRegistryTest, AccessorsSucceedOnlyForASetValueOfTheirOwnType) {
  float f = -1;
  int32_t i = -1;
  bool b = true;
  std::string s = "default";
  EXPECT_FALSE(GetFloat(registry, Vid::fUpdateProfileInterval, f));
  EXPECT_EQ(f, -1);

  SetValue(registry, Vid::iDebug, ValueData::Int(2), 0);
  EXPECT_FALSE(GetFloat(registry, Vid::iDebug, f));
  EXPECT_FALSE(GetBool(registry, Vid::iDebug, b));
  EXPECT_TRUE(GetInt(registry, Vid::iDebug, i));
  EXPECT_EQ(i, 2);
  EXPECT_EQ(f, -1);
  EXPECT_TRUE(b);

  SetValue(registry, Vid::bFocus, ValueData::Bool(false), 0);
  EXPECT_TRUE(GetBool(registry, Vid::bFocus, b));
  EXPECT_FALSE(b);

  At(Vid::sRace).current = ValueData::String("Nord");
  EXPECT_FALSE(GetInt(registry, Vid::sRace, i));
  EXPECT_TRUE(GetString(registry, Vid::sRace, s));
  EXPECT_EQ(s, "Nord");

  s = "default";
  EXPECT_FALSE(GetString(registry, -5, s));
  EXPECT_FALSE(GetString(registry, Vid::Count, s));
  EXPECT_EQ(s, "default");
}

TEST_F(ValueRegistryTest, ReadBackCapturesTheBaseOnce) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(0, false));
  float out = -1;
  EXPECT_FALSE(GetFloat(registry, Vid::fFOV, out));  // an unset read-back leaves base unset
  EXPECT_FALSE(fov.baseCaptured);

  // Peeking answers what a read would, and captures nothing.
  FakeHostSetting::live = ValueData::Float(65);
  EXPECT_EQ(PeekValue(registry, fov, true).AsFloat(), 65);
  EXPECT_FALSE(fov.base.isSet || fov.current.isSet || fov.baseCaptured);

  EXPECT_TRUE(GetFloat(registry, Vid::fFOV, out));
  EXPECT_EQ(out, 65);
  EXPECT_TRUE(fov.baseCaptured);
  EXPECT_EQ(fov.current.AsFloat(), 65);

  FakeHostSetting::live = ValueData::Float(20);
  SetValue(registry, Vid::fFOV, ValueData::Float(100), 0);
  EXPECT_EQ(fov.base.AsFloat(), 65);
}

TEST_F(ValueRegistryTest, ResetReturnsASettingToItsBase) {
  Value& depth = At(Vid::fPositionOffsetDepth);
  SetValue(registry, Vid::fPositionOffsetDepth, ValueData::Float(4), 0);
  ResetValue(registry, Vid::fPositionOffsetDepth, 0);  // no base yet: nothing
  EXPECT_EQ(depth.current.AsFloat(), 4);

  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(registry, Vid::fFOV, ValueData::Float(90), 0);
  TickValues(registry, 0);
  FakeHostSetting::applied.clear();
  ResetValue(registry, Vid::fFOV, 0);
  EXPECT_EQ(fov.current.AsFloat(), 70);
  TickValues(registry, 0);
  ASSERT_EQ(FakeHostSetting::applied.size(), 1u);
  EXPECT_EQ(FakeHostSetting::applied[0].AsFloat(), 70);

  At(Vid::bWalking).base = ValueData::Bool(true);
  ResetValue(registry, Vid::bWalking, 0);  // game-state values are never reset
  EXPECT_FALSE(At(Vid::bWalking).current.isSet);
}

TEST_F(ValueRegistryTest, CaptureDefaultsFillsOnlyAnUnsetBase) {
  registry.captureDefaults = 1;
  SetValue(registry, Vid::fPositionOffsetDepth, ValueData::Float(4), 0);
  SetValue(registry, Vid::fPositionOffsetDepth, ValueData::Float(6), 0);
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(registry, Vid::fFOV, ValueData::Float(90), 0);
  registry.captureDefaults = 0;
  SetValue(registry, Vid::fPositionOffsetHorizontal, ValueData::Float(1), 0);

  EXPECT_EQ(At(Vid::fPositionOffsetDepth).base.AsFloat(), 4);
  EXPECT_EQ(fov.base.AsFloat(), 70);  // the host's value wins
  EXPECT_FALSE(At(Vid::fPositionOffsetHorizontal).base.isSet);
}

TEST_F(ValueRegistryTest, RecordingProfileKeepsTheValueBeforeEachChange) {
  Profile profile;
  registry.recording = &profile.savedValues;
  SetValue(registry, Vid::iDebug, ValueData::Int(1), 0);
  SetValue(registry, Vid::iDebug, ValueData::Int(2), 0);
  SetValue(registry, Vid::bFocus, ValueData::Bool(true), 0);
  SetValue(registry, Vid::bWalking, ValueData::Bool(true), 0);  // refused, so not recorded
  registry.recording = nullptr;
  SetValue(registry, Vid::bFocus, ValueData::Bool(false), 0);

  ASSERT_EQ(profile.savedValues.size(), 2u);
  EXPECT_TRUE(profile.savedValues.at(Vid::iDebug).isSet);
  EXPECT_EQ(profile.savedValues.at(Vid::iDebug).AsInt(), 1);
  EXPECT_FALSE(profile.savedValues.at(Vid::bFocus).isSet);
}

std::vector<int32_t> updatedIndices;
HostRef* seenActor = nullptr;

void RecordUpdate(const UpdateInput& input, Value* value) {
  seenActor = input.frame.followed;
  updatedIndices.push_back(value->index);
}

TEST_F(ValueRegistryTest, RunUpdatersRefreshesOnlyNamedValuesInIndexOrder) {
  for (int32_t index : {Vid::bWalking, Vid::bSneaking, Vid::bIndoors, Vid::bMounted}) {
    At(index).updater = RecordUpdate;
  }
  SetConditionRefs(registry, Vid::bIndoors, 1);
  SetConditionRefs(registry, Vid::bWalking, 2);
  SetConditionRefs(registry, Vid::bMounted, 0);
  SetConditionRefs(registry, Vid::fFOV, 1);  // named, but no updater
  HostRef target;
  FrameContext frame;
  frame.followed = &target;
  updatedIndices.clear();
  RunUpdaters(registry, UpdaterInput(session, frame));
  EXPECT_EQ(updatedIndices, (std::vector<int32_t>{Vid::bWalking, Vid::bIndoors}));
  EXPECT_EQ(seenActor, &target);

  // A value no condition names any more, or registered afresh, is no longer refreshed.
  SetConditionRefs(registry, Vid::bWalking, 0);
  RegisterValue(registry, Vid::bIndoors, "bIndoors", ValueKind::GameState, RecordUpdate, nullptr,
                nullptr);
  SetConditionRefs(registry, Vid::bSneaking, 1);
  updatedIndices.clear();
  RunUpdaters(registry, UpdaterInput(session, frame));
  EXPECT_EQ(updatedIndices, (std::vector<int32_t>{Vid::bSneaking}));
}

TEST_F(ValueRegistryTest, CapturedBasesSurviveReloads) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  CaptureBase(registry, fov);
  At(Vid::fPositionOffsetDepth).base = ValueData::Float(3);  // a default, not from the host

  ValueRegistry second;
  second.values[Vid::fNearClip]->base = ValueData::Float(9);
  At(Vid::fNearClip).base = ValueData::Float(15);
  At(Vid::fNearClip).baseCaptured = 1;
  CarryOverCapturedBases(registry, second);
  EXPECT_EQ(second.values[Vid::fFOV]->base.AsFloat(), 70);
  EXPECT_FALSE(second.values[Vid::fPositionOffsetDepth]->base.isSet);
  EXPECT_EQ(second.values[Vid::fNearClip]->base.AsFloat(), 9);

  ValueRegistry third;
  CarryOverCapturedBases(second, third);
  EXPECT_TRUE(third.values[Vid::fFOV]->base.isSet);
  EXPECT_EQ(third.values[Vid::fFOV]->base.AsFloat(), 70);
}

}  // namespace

namespace {
std::vector<float> appliedNumbers;
void RecordApply(ValueRegistry&, ValueData data) { appliedNumbers.push_back(data.AsFloat()); }
// While it applies, sets a value further on in its word and one in the word before.
void ApplyAndSetOthers(ValueRegistry& registry, ValueData data) {
  RecordApply(registry, data);
  for (int32_t index : {Vid::fExtraRotationMouse, Vid::fPositionOffsetDepth}) {
    SetValue(registry, index, ValueData::Float(static_cast<float>(index)), 0);
  }
}
}  // namespace

// Only values with a tween or a pending apply are ticked: in index order across the words of
// the set, each once, and a value an apply sets further on still runs in the same tick.
TEST_F(ValueRegistryTest, TickAppliesPendingValuesOnceInIndexOrder) {
  RegisterValue(registry, 80, "fExtra", ValueKind::Setting, nullptr, nullptr, RecordApply);
  for (int32_t index : {Vid::fPositionOffsetDepth, Vid::fRotationFromHead, Vid::fExtraRotationMouse}) {
    At(index).apply = RecordApply;
  }
  At(Vid::fFocusSpeed).apply = ApplyAndSetOthers;
  appliedNumbers.clear();
  const int32_t pending[] = {80, Vid::fFocusSpeed, Vid::fRotationFromHead};
  for (int32_t index : pending) {
    SetValue(registry, index, ValueData::Float(static_cast<float>(index)), 0);
  }
  TickValues(registry, 0.1f);
  EXPECT_EQ(appliedNumbers, (std::vector<float>{Vid::fRotationFromHead, Vid::fFocusSpeed,
                                                Vid::fExtraRotationMouse, 80}));
  appliedNumbers.clear();
  TickValues(registry, 0.1f);  // the earlier value the apply set waits for the next tick
  EXPECT_EQ(appliedNumbers, (std::vector<float>{Vid::fPositionOffsetDepth}));
  appliedNumbers.clear();
  TickValues(registry, 0.1f);
  EXPECT_TRUE(appliedNumbers.empty());

  // A Float tween applies every tick until it ends, then leaves the set.
  SetValue(registry, 80, ValueData::Float(90), 0.25f);
  for (int tick = 0; tick < 5; ++tick) TickValues(registry, 0.1f);
  EXPECT_EQ(appliedNumbers.size(), 3u);
  EXPECT_EQ(appliedNumbers.back(), 90);
  EXPECT_EQ(At(80).tween, nullptr);
}
