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
  ASSERT_NE(FindValue("bwalking"), nullptr);
  EXPECT_EQ(FindValue("bwalking")->index, 0);
  EXPECT_EQ(FindValue("FFOV")->index, Vid::fFOV);
  EXPECT_EQ(FindValue("bWalk"), nullptr);
  EXPECT_EQ(FindValue("bWalking "), nullptr);
  EXPECT_EQ(FindValue(""), nullptr);
  currentRegistry = nullptr;
  EXPECT_EQ(FindValue("bWalking"), nullptr);
}

TEST_F(ValueRegistryTest, RegisterValueGrowsWithNullSlotsAndIgnoresNegativeIndices) {
  RegisterValue(-1, "fNegative", ValueKind::Setting, nullptr, nullptr, nullptr);
  EXPECT_EQ(registry.values.size(), 73u);
  RegisterValue(80, "fExtra", ValueKind::Setting, nullptr, nullptr, nullptr);
  ASSERT_EQ(registry.values.size(), 81u);
  EXPECT_EQ(ValueAt(75), nullptr);
  EXPECT_EQ(ValueAt(80)->type, ValueType::Float);
  SetValue(75, ValueData::Float(1), 0);  // null slot: ignored
  SetValue(80, ValueData::Float(1), 0);
  float out = 0;
  EXPECT_TRUE(GetFloat(80, out));
  EXPECT_EQ(out, 1);
}

TEST_F(ValueRegistryTest, SetValueRefusesWhatItCannotHold) {
  SetValue(Vid::fFOV, ValueData::Int(90), 0);
  EXPECT_FALSE(At(Vid::fFOV).current.isSet);
  SetValue(Vid::bWalking, ValueData::Bool(true), 0);
  EXPECT_FALSE(At(Vid::bWalking).current.isSet);
  SetValue(Vid::sRace, ValueData::String("Nord"), 0);
  EXPECT_FALSE(At(Vid::sRace).current.isSet);
  for (int32_t index : {-1, 73, 1 << 30}) {
    SetValue(index, ValueData::Float(1), 0);
    ResetValue(index, 0);
  }
  currentRegistry = nullptr;
  SetValue(Vid::fFOV, ValueData::Float(1), 0);
  ResetValue(Vid::fFOV, 1);
  TickValues(1);
  RunUpdaters();
  float out = 3;
  EXPECT_FALSE(GetFloat(Vid::fFOV, out));
  EXPECT_EQ(out, 3);
}

TEST_F(ValueRegistryTest, AccessorsSucceedOnlyForASetValueOfTheirOwnType) {
  float f = -1;
  int32_t i = -1;
  bool b = true;
  std::string s = "default";
  EXPECT_FALSE(GetFloat(Vid::fUpdateProfileInterval, f));
  EXPECT_EQ(f, -1);

  SetValue(Vid::iDebug, ValueData::Int(2), 0);
  EXPECT_FALSE(GetFloat(Vid::iDebug, f));
  EXPECT_FALSE(GetBool(Vid::iDebug, b));
  EXPECT_TRUE(GetInt(Vid::iDebug, i));
  EXPECT_EQ(i, 2);
  EXPECT_EQ(f, -1);
  EXPECT_TRUE(b);

  SetValue(Vid::bFocus, ValueData::Bool(false), 0);
  EXPECT_TRUE(GetBool(Vid::bFocus, b));
  EXPECT_FALSE(b);

  At(Vid::sRace).current = ValueData::String("Nord");
  EXPECT_FALSE(GetInt(Vid::sRace, i));
  EXPECT_TRUE(GetString(Vid::sRace, s));
  EXPECT_EQ(s, "Nord");

  s = "default";
  EXPECT_FALSE(GetString(-5, s));
  EXPECT_FALSE(GetString(Vid::Count, s));
  EXPECT_EQ(s, "default");
}

TEST_F(ValueRegistryTest, ReadBackCapturesTheBaseOnce) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(0, false));
  float out = -1;
  EXPECT_FALSE(GetFloat(Vid::fFOV, out));  // an unset read-back leaves base unset
  EXPECT_FALSE(fov.baseCaptured);

  // Peeking answers what a read would, and captures nothing.
  FakeHostSetting::live = ValueData::Float(65);
  EXPECT_EQ(PeekValue(fov, true).AsFloat(), 65);
  EXPECT_FALSE(fov.base.isSet || fov.current.isSet || fov.baseCaptured);

  EXPECT_TRUE(GetFloat(Vid::fFOV, out));
  EXPECT_EQ(out, 65);
  EXPECT_TRUE(fov.baseCaptured);
  EXPECT_EQ(fov.current.AsFloat(), 65);

  FakeHostSetting::live = ValueData::Float(20);
  SetValue(Vid::fFOV, ValueData::Float(100), 0);
  EXPECT_EQ(fov.base.AsFloat(), 65);
}

TEST_F(ValueRegistryTest, ResetReturnsASettingToItsBase) {
  Value& depth = At(Vid::fPositionOffsetDepth);
  SetValue(Vid::fPositionOffsetDepth, ValueData::Float(4), 0);
  ResetValue(Vid::fPositionOffsetDepth, 0);  // no base yet: nothing
  EXPECT_EQ(depth.current.AsFloat(), 4);

  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(Vid::fFOV, ValueData::Float(90), 0);
  TickValues(0);
  FakeHostSetting::applied.clear();
  ResetValue(Vid::fFOV, 0);
  EXPECT_EQ(fov.current.AsFloat(), 70);
  TickValues(0);
  ASSERT_EQ(FakeHostSetting::applied.size(), 1u);
  EXPECT_EQ(FakeHostSetting::applied[0].AsFloat(), 70);

  At(Vid::bWalking).base = ValueData::Bool(true);
  ResetValue(Vid::bWalking, 0);  // game-state values are never reset
  EXPECT_FALSE(At(Vid::bWalking).current.isSet);
}

TEST_F(ValueRegistryTest, CaptureDefaultsFillsOnlyAnUnsetBase) {
  registry.captureDefaults = 1;
  SetValue(Vid::fPositionOffsetDepth, ValueData::Float(4), 0);
  SetValue(Vid::fPositionOffsetDepth, ValueData::Float(6), 0);
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(Vid::fFOV, ValueData::Float(90), 0);
  registry.captureDefaults = 0;
  SetValue(Vid::fPositionOffsetHorizontal, ValueData::Float(1), 0);

  EXPECT_EQ(At(Vid::fPositionOffsetDepth).base.AsFloat(), 4);
  EXPECT_EQ(fov.base.AsFloat(), 70);  // the host's value wins
  EXPECT_FALSE(At(Vid::fPositionOffsetHorizontal).base.isSet);
}

TEST_F(ValueRegistryTest, RecordingProfileKeepsTheValueBeforeEachChange) {
  Profile profile;
  registry.recordingProfile = &profile;
  SetValue(Vid::iDebug, ValueData::Int(1), 0);
  SetValue(Vid::iDebug, ValueData::Int(2), 0);
  SetValue(Vid::bFocus, ValueData::Bool(true), 0);
  SetValue(Vid::bWalking, ValueData::Bool(true), 0);  // refused, so not recorded
  registry.recordingProfile = nullptr;
  SetValue(Vid::bFocus, ValueData::Bool(false), 0);

  ASSERT_EQ(profile.savedValues.size(), 2u);
  EXPECT_TRUE(profile.savedValues.at(Vid::iDebug).isSet);
  EXPECT_EQ(profile.savedValues.at(Vid::iDebug).AsInt(), 1);
  EXPECT_FALSE(profile.savedValues.at(Vid::bFocus).isSet);
}

std::vector<int32_t> updatedIndices;
HostRef* seenActor = nullptr;

void RecordUpdate(HostRef* actor, HostActor*, Value* value) {
  seenActor = actor;
  updatedIndices.push_back(value->index);
}

TEST_F(ValueRegistryTest, RunUpdatersRefreshesOnlyNamedValuesInIndexOrder) {
  for (int32_t index : {Vid::bWalking, Vid::bSneaking, Vid::bIndoors, Vid::bMounted}) {
    At(index).updater = RecordUpdate;
  }
  At(Vid::bIndoors).conditionRefs = 1;
  At(Vid::bWalking).conditionRefs = 2;
  At(Vid::bMounted).conditionRefs = 0;
  At(Vid::fFOV).conditionRefs = 1;  // named, but no updater
  HostRef target;
  registry.actor = &target;
  updatedIndices.clear();
  RunUpdaters();
  EXPECT_EQ(updatedIndices, (std::vector<int32_t>{Vid::bWalking, Vid::bIndoors}));
  EXPECT_EQ(seenActor, &target);
}

TEST_F(ValueRegistryTest, CapturedBasesSurviveReloads) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  CaptureBase(fov);
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
