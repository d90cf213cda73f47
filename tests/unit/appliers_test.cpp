// Tests of the values that mirror game settings: what they read back and apply.

#include "values/appliers.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>

#include "values_fixture.h"

namespace {

class AppliersTest : public SimRegistryTest {
 protected:
  // Sets a value at once and runs the tick that applies it.
  void SetNow(int32_t index, const ValueData& data) {
    SetValue(registry, index, data, 0);
    TickValues(registry, 0);
  }
  void Clear(int32_t index) { SetNow(index, ValueData::Unset(At(index).type)); }
};

TEST_F(AppliersTest, TheLowerNearClipAppliesAndAnUntouchedOneStandsForTheHostValue) {
  SetNow(Vid::fNearClip, ValueData::Float(5));
  EXPECT_EQ(Sim().nearClip, 5);
  EXPECT_EQ(TakeViewRefreshRequest(), 1);
  EXPECT_EQ(TakeViewRefreshRequest(), 0);

  SetNow(Vid::fNearClip, ValueData::Float(600));
  EXPECT_EQ(Sim().nearClip, 15);  // fNearClip2 captured the host's 15
  SetNow(Vid::fNearClip2, ValueData::Float(600));
  EXPECT_EQ(Sim().nearClip, 500);

  SetNow(Vid::fNearClip, ValueData::Float(10));
  SetNow(Vid::fNearClip2, ValueData::Float(5));
  EXPECT_EQ(Sim().nearClip, 5);
  Clear(Vid::fNearClip2);
  EXPECT_EQ(Sim().nearClip, 10);

  SetNow(Vid::fNearClip2, ValueData::Float(0));
  EXPECT_EQ(std::bit_cast<uint32_t>(Sim().nearClip), 0x38D1B717u);
}

TEST_F(AppliersTest, AnUnchangedNearClipOrFieldOfViewRaisesNoRefresh) {
  SetNow(Vid::fNearClip, ValueData::Float(15));
  EXPECT_EQ(TakeViewRefreshRequest(), 0);
  SetNow(Vid::fFOV, ValueData::Float(75));
  EXPECT_EQ(TakeViewRefreshRequest(), 0);
  SetNow(Vid::fFOV, ValueData::Float(80));
  EXPECT_EQ(Sim().playerCamera->fieldOfView, 80);
  EXPECT_EQ(TakeViewRefreshRequest(), 1);
}

TEST_F(AppliersTest, NoInfiniteOrNaNNumberReachesTheGame) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  Sim().SetCameraState(9)->yaw = 0.5f;
  for (float broken : {nan, inf, -inf}) {
    for (int32_t index : {Vid::fFOV, Vid::fTimeScale, Vid::fNearClip, Vid::fNearClip2,
                          Vid::fCameraViewOffsetHorizontal, Vid::fCameraViewOffsetVertical}) {
      SetNow(index, ValueData::Float(broken));
    }
    EXPECT_EQ(Sim().playerCamera->fieldOfView, 75) << broken;
    EXPECT_EQ(Sim().timeScale, 1) << broken;
    EXPECT_EQ(Sim().nearClip, 15) << broken;
    EXPECT_EQ(Sim().CurrentCameraState()->yaw, 0.5f) << broken;
    EXPECT_EQ(Sim().CurrentCameraState()->pitch, 0) << broken;
    EXPECT_EQ(TakeViewRefreshRequest(), 0) << broken;
  }
}

TEST_F(AppliersTest, NearClipFollowsATweenFrameByFrame) {
  SetValue(registry, Vid::fNearClip, ValueData::Float(5), 1);
  TickValues(registry, 0.5f);
  EXPECT_EQ(Sim().nearClip, 10);
  TickValues(registry, 0.5f);
  EXPECT_EQ(Sim().nearClip, 5);
}

TEST_F(AppliersTest, FieldOfViewWithoutACameraStaysUnknown) {
  HostCamera* camera = Sim().playerCamera;
  Sim().playerCamera = nullptr;
  float fov = -1;
  EXPECT_FALSE(GetFloat(registry, Vid::fFOV, fov));
  EXPECT_EQ(fov, -1);
  EXPECT_FALSE(At(Vid::fFOV).base.isSet);
  SetNow(Vid::fFOV, ValueData::Float(60));  // nothing to write to
  EXPECT_EQ(TakeViewRefreshRequest(), 0);

  Sim().playerCamera = camera;
  Clear(Vid::fFOV);
  EXPECT_TRUE(GetFloat(registry, Vid::fFOV, fov));
  EXPECT_EQ(fov, 75);
  EXPECT_TRUE(At(Vid::fFOV).baseCaptured);
}

TEST_F(AppliersTest, TimeScaleAndVats) {
  SetNow(Vid::fTimeScale, ValueData::Float(-1));
  EXPECT_EQ(Sim().timeScale, 0);
  EXPECT_EQ(At(Vid::fTimeScale).base.AsFloat(), 1);
  SetNow(Vid::fTimeScale, ValueData::Float(0.5f));
  EXPECT_EQ(Sim().timeScale, 0.5f);

  Sim().vatsDisabled = 0x100;  // only the low byte counts
  SetNow(Vid::bDisableVATS, ValueData::Bool(true));
  EXPECT_TRUE(At(Vid::bDisableVATS).base.isSet);
  EXPECT_FALSE(At(Vid::bDisableVATS).base.AsBool());
  EXPECT_EQ(Sim().vatsDisabled, 1u);
  SetNow(Vid::bDisableVATS, ValueData::Bool(false));
  EXPECT_EQ(Sim().vatsDisabled, 0u);
}

TEST_F(AppliersTest, ViewOffsetsActOnlyInStatesNineTenAndTwelve) {
  HostCameraState* other = Sim().SetCameraState(5);
  other->yaw = 0.25f;
  SetNow(Vid::fCameraViewOffsetHorizontal, ValueData::Float(0.5f));
  EXPECT_EQ(other->yaw, 0.25f);
  EXPECT_FALSE(At(Vid::fCameraViewOffsetHorizontal).base.isSet);

  for (int32_t id : {9, 10, 12}) {
    HostCameraState* state = Sim().SetCameraState(id);
    SetNow(Vid::fCameraViewOffsetHorizontal, ValueData::Float(0.1f * id));
    SetNow(Vid::fCameraViewOffsetVertical, ValueData::Float(-0.1f * id));
    EXPECT_EQ(state->yaw, 0.1f * id);
    EXPECT_EQ(state->pitch, -0.1f * id);
  }
  Sim().playerCamera = nullptr;
  SetNow(Vid::fCameraViewOffsetVertical, ValueData::Float(3));  // no camera: nothing
}

TEST_F(AppliersTest, ObjectRefFormIdRedirectsTheCamera) {
  CameraController& controller = Plugin::Instance().controller;
  StateOf(controller).requestedRefFormId = 0x500;
  SetNow(Vid::iObjectRefFormId, ValueData::Int(0x600));
  EXPECT_EQ(At(Vid::iObjectRefFormId).base.AsInt(), 0x500);
  EXPECT_EQ(StateOf(controller).requestedRefFormId, 0x600u);

  SetNow(Vid::iObjectRefFormId, ValueData::Int(0));
  EXPECT_EQ(StateOf(controller).requestedRefFormId, 0u);
  Pass({Vid::bIsTargetOverwritten});
  EXPECT_FALSE(At(Vid::bIsTargetOverwritten).current.AsBool());
  EXPECT_TRUE(At(Vid::bIsTargetOverwritten).current.isSet);
}

TEST_F(AppliersTest, AppliesIgnoreUnsetOrWronglyTypedData) {
  ApplyFieldOfView(registry, ValueData::Int(10));
  ApplyTimeScale(registry, ValueData::Float(3, false));
  ApplyVatsDisabled(registry, ValueData::Int(1));
  ApplyViewOffsetHorizontal(registry, ValueData::Bool(true));
  ApplyObjectRefFormId(registry, ValueData::Float(1));
  EXPECT_EQ(Sim().playerCamera->fieldOfView, 75);
  EXPECT_EQ(Sim().timeScale, 1);
  EXPECT_EQ(Sim().vatsDisabled, 0u);
  EXPECT_EQ(Sim().CurrentCameraState()->yaw, 0);
  EXPECT_EQ(StateOf(Plugin::Instance().controller).requestedRefFormId, 0u);
  ValueRegistry withoutPair;
  withoutPair.values[Vid::fNearClip].reset();
  ApplyNearClip(withoutPair, ValueData::Float(1));  // a registry without the pair: nothing
  EXPECT_EQ(Sim().nearClip, 15);
}

}  // namespace
