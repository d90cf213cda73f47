// Tests of tweens and of values that run them.

#include <gtest/gtest.h>

#include "values/registry.h"
#include "values_fixture.h"

namespace {

float FloatOf(const ValueData& data) {
  EXPECT_TRUE(data.isSet);
  EXPECT_EQ(data.type, ValueType::Float);
  return data.AsFloat();
}

TEST(TweenTest, PositionIsClampedToTheTransition) {
  Tween tween = MakeTween(ValueData::Float(10), ValueData::Float(20), 2);
  EXPECT_EQ(FloatOf(TweenPosition(tween)), 10);
  tween.elapsed = 0.5f;
  EXPECT_EQ(FloatOf(TweenPosition(tween)), 12.5f);
  tween.elapsed = 5;
  EXPECT_EQ(FloatOf(TweenPosition(tween)), 20);
  tween.elapsed = -1;
  EXPECT_EQ(FloatOf(TweenPosition(tween)), 10);
}

TEST(TweenTest, RetargetContinuesFromThePresentPosition) {
  Tween floatTween = MakeTween(ValueData::Float(0), ValueData::Float(100), 4);
  floatTween.elapsed = 1;
  Tween moved = RetargetTween(floatTween, ValueData::Float(50), 3);
  EXPECT_EQ(FloatOf(moved.start), 25);
  EXPECT_EQ(moved.target.AsFloat(), 50);
  EXPECT_EQ(moved.elapsed, 0);
  EXPECT_EQ(moved.duration, 3);

  // Other types do not move, so the new transition starts from the old target.
  Tween boolTween = MakeTween(ValueData::Bool(false), ValueData::Bool(true), 4);
  boolTween.elapsed = 1;
  Tween flipped = RetargetTween(boolTween, ValueData::Bool(false), 1);
  EXPECT_TRUE(flipped.start.AsBool());
  EXPECT_FALSE(TweenPosition(boolTween).AsBool());
}

TEST(TweenTest, AStepThatOverflowsLeavesTheValueWhereItStarted) {
  // Both ends finite, their difference not: the whole transition reads as its start.
  Tween tween = MakeTween(ValueData::Float(-3e38f), ValueData::Float(3e38f), 1);
  for (float elapsed : {0.0f, 0.25f, 0.5f, 0.99f}) {
    tween.elapsed = elapsed;
    EXPECT_EQ(FloatOf(TweenPosition(tween)), -3e38f) << elapsed;
  }
  EXPECT_EQ(FloatOf(RetargetTween(tween, ValueData::Float(1), 1).start), -3e38f);
}

class ValueTweenTest : public RegistryTest {};

TEST_F(ValueTweenTest, FloatTweenMovesAndAppliesEveryTick) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(registry, Vid::fFOV, ValueData::Float(90), 2);
  EXPECT_EQ(FloatOf(GetValue(registry, fov, false)), 90);  // the target at once

  const float expected[] = {75, 80, 85, 90};
  for (float reading : expected) {
    TickValue(registry, fov, 0.5f);
    EXPECT_EQ(FloatOf(GetValue(registry, fov, true)), reading);
    ASSERT_FALSE(FakeHostSetting::applied.empty());
    EXPECT_EQ(FloatOf(FakeHostSetting::applied.back()), reading);
  }
  EXPECT_EQ(FakeHostSetting::applied.size(), 4u);
  EXPECT_EQ(fov.tween, nullptr);
  TickValue(registry, fov, 0.5f);  // nothing pending once the tween is gone
  EXPECT_EQ(FakeHostSetting::applied.size(), 4u);
}

TEST_F(ValueTweenTest, TweenStartsFromTheHostsLiveValue) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(registry, Vid::fFOV, ValueData::Float(80), 0);
  FakeHostSetting::live = ValueData::Float(60);  // the game changed it meanwhile
  SetValue(registry, Vid::fFOV, ValueData::Float(100), 1);
  ASSERT_NE(fov.tween, nullptr);
  EXPECT_EQ(FloatOf(fov.tween->start), 60);
}

TEST_F(ValueTweenTest, NewTweenStartsHalfWayThroughTheRunningOne) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(registry, Vid::fFOV, ValueData::Float(90), 2);
  TickValue(registry, fov, 1);
  SetValue(registry, Vid::fFOV, ValueData::Float(60), 2);
  EXPECT_EQ(FloatOf(GetValue(registry, fov, true)), 80);
  TickValue(registry, fov, 1);
  EXPECT_EQ(FloatOf(GetValue(registry, fov, true)), 70);
}

TEST_F(ValueTweenTest, BoolTweenKeepsItsOldValueAndAppliesOnceAtTheEnd) {
  Value& focus = At(Vid::bFocus);
  focus.apply = FakeHostSetting::Apply;
  SetValue(registry, Vid::bFocus, ValueData::Bool(true), 0);
  TickValue(registry, focus, 0.1f);
  FakeHostSetting::applied.clear();

  SetValue(registry, Vid::bFocus, ValueData::Bool(false), 1);
  for (int i = 0; i < 3; ++i) {
    TickValue(registry, focus, 0.3f);
    EXPECT_TRUE(GetValue(registry, focus, true).AsBool());
  }
  EXPECT_TRUE(FakeHostSetting::applied.empty());
  TickValue(registry, focus, 0.3f);
  EXPECT_FALSE(GetValue(registry, focus, true).AsBool());
  ASSERT_EQ(FakeHostSetting::applied.size(), 1u);
  EXPECT_FALSE(FakeHostSetting::applied[0].AsBool());
  EXPECT_TRUE(FakeHostSetting::applied[0].isSet);
}

TEST_F(ValueTweenTest, NoPositiveDurationOrNoStartSetsAtOnce) {
  Value& depth = At(Vid::fPositionOffsetDepth);
  depth.apply = FakeHostSetting::Apply;
  FakeHostSetting::applied.clear();
  // Unset and without read-back: there is nothing to tween from.
  SetValue(registry, Vid::fPositionOffsetDepth, ValueData::Float(5), 2);
  EXPECT_EQ(depth.tween, nullptr);
  SetValue(registry, Vid::fPositionOffsetDepth, ValueData::Float(7), 0);
  SetValue(registry, Vid::fPositionOffsetDepth, ValueData::Float(9), -1);
  EXPECT_EQ(depth.tween, nullptr);
  EXPECT_EQ(FloatOf(GetValue(registry, depth, true)), 9);
  EXPECT_TRUE(FakeHostSetting::applied.empty());
  TickValue(registry, depth, 0);
  ASSERT_EQ(FakeHostSetting::applied.size(), 1u);
  EXPECT_EQ(FloatOf(FakeHostSetting::applied[0]), 9);
}

TEST_F(ValueTweenTest, ClearDuringATweenAppliesTheBaseWhenItEnds) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(registry, Vid::fFOV, ValueData::Float(90), 1);
  SetValue(registry, Vid::fFOV, ValueData::Unset(ValueType::Float), 0);
  EXPECT_NE(fov.tween, nullptr);  // an unset value leaves the tween running
  TickValue(registry, fov, 0.5f);
  EXPECT_EQ(FloatOf(FakeHostSetting::applied.back()), 80);
  TickValue(registry, fov, 0.5f);
  EXPECT_EQ(FloatOf(FakeHostSetting::applied.back()), 70);
  EXPECT_EQ(FloatOf(GetValue(registry, fov, true)), 70);
  EXPECT_FALSE(fov.current.isSet);
}

TEST_F(ValueTweenTest, ResetTweensFromCurrentToBase) {
  Value& fov = At(Vid::fFOV);
  FakeHostSetting::Attach(fov, ValueData::Float(70));
  SetValue(registry, Vid::fFOV, ValueData::Float(90), 0);
  FakeHostSetting::live = ValueData::Float(50);  // not the start of a reset
  ResetValue(registry, Vid::fFOV, 2);
  TickValue(registry, fov, 1);
  EXPECT_EQ(FloatOf(GetValue(registry, fov, true)), 80);

  // A reset during a running tween retargets it.
  ResetValue(registry, Vid::fFOV, 1);
  EXPECT_EQ(FloatOf(fov.tween->start), 80);
}

}  // namespace
