// Focus: placing a point ahead after the focus delay, holding the view on it by queued turns,
// and dropping it on look input.

#include <cmath>

#include "camera_fixture.h"
#include "values/value_ids.h"

namespace {

float Distance(const Vector3& a, const std::array<float, 3>& b) {
  return std::hypot(a.x - b[0], a.y - b[1], a.z - b[2]);
}

}  // namespace

class FocusTest : public CameraTest {
 protected:
  void SetUp() override {
    CameraTest::SetUp();
    SetBool(Vid::bFocus, true);
  }

  // What the look-input hook would add to a frame without player input.
  static std::array<float, 2> TakeLookInput() {
    float input[2] = {0, 0};
    Controller().AddLookInput(input);
    return {input[0], input[1]};
  }
};

TEST_F(FocusTest, IsPlacedStraightAheadAtThePickedDistance) {
  Sim().CurrentCameraState()->yaw = 0.5f;
  Sim().pickResult = std::array<float, 3>{100, 0, 124};
  Frames(1);
  ASSERT_TRUE(StateOf(Controller()).focusPoint.has_value());
  EXPECT_EQ(Sim().crosshairPickCalls, 1);
  const Vector3 focus = *StateOf(Controller()).focusPoint;
  const std::array<float, 3> eye = {0, 6, 124};
  EXPECT_NEAR(Distance(focus, eye), std::hypot(100.0f, 6.0f), 1e-3);
  // Along the camera's forward direction, not at the picked point.
  EXPECT_NEAR(focus.x - eye[0], std::hypot(100.0f, 6.0f) * std::sin(0.5f), 1e-3);
  EXPECT_NEAR(focus.z, 124, 1e-3);

  Frames(5);
  EXPECT_EQ(Sim().crosshairPickCalls, 1);  // held, not picked again
}

TEST_F(FocusTest, WithoutAPickTheFocusIs5000Ahead) {
  Frames(1);
  ASSERT_TRUE(StateOf(Controller()).focusPoint.has_value());
  EXPECT_NEAR(StateOf(Controller()).focusPoint->y, 6 + 5000, 1e-2);
  EXPECT_EQ(StateOf(Controller()).focusPoint->x, 0);
}

TEST_F(FocusTest, IsNotPlacedWithoutFocusHeadCameraOrAfterALookInput) {
  SetBool(Vid::bFocus, false);
  Frames(1);
  EXPECT_FALSE(StateOf(Controller()).focusPoint.has_value());

  SetBool(Vid::bFocus, true);
  SetBool(Vid::bActivated, false);
  Frames(1);
  EXPECT_FALSE(StateOf(Controller()).focusPoint.has_value());

  SetBool(Vid::bActivated, true);
  float input[2] = {0.5f, 0};
  Controller().AddLookInput(input);
  EXPECT_EQ(StateOf(Controller()).focusDelay, 3);
  Frames(2);
  EXPECT_FALSE(StateOf(Controller()).focusPoint.has_value());
  Frames(1);  // the delay runs out on the third frame, which places the point
  EXPECT_TRUE(StateOf(Controller()).focusPoint.has_value());
  EXPECT_EQ(Sim().crosshairPickCalls, 1);
}

TEST_F(FocusTest, HoldsTheViewWhenTheCameraTurnsAway) {
  Frames(1);  // placed straight ahead
  ASSERT_TRUE(StateOf(Controller()).focusPoint.has_value());
  EXPECT_EQ(TakeLookInput(), (std::array<float, 2>{0, 0}));

  // The camera turns right by 0.1 and up by 0.05: turn back left and down, 8 times the error
  // for a far point (the two turns couple slightly).
  Sim().CurrentCameraState()->yaw = 0.1f;
  Sim().CurrentCameraState()->pitch = 0.05f;
  Frames(1);
  const std::array<float, 2> input = TakeLookInput();
  EXPECT_NEAR(input[0], -0.8f, 3e-3);
  EXPECT_NEAR(input[1], -0.4f, 3e-3);
  EXPECT_TRUE(StateOf(Controller()).rotationQueues[0].empty());  // mode 2, applied whole
  EXPECT_EQ(TakeLookInput(), (std::array<float, 2>{0, 0}));
}

TEST_F(FocusTest, ANearPointTurnsSlower) {
  for (auto [pick, speed] :
       {std::pair{100.0f, 100.0f / 500 * 8}, std::pair{20.0f, 50.0f / 500 * 8}}) {
    Controller().Reset();
    Sim().CurrentCameraState()->yaw = 0;
    Sim().pickResult = std::array<float, 3>{0, 6 + pick, 124};
    Frames(1);
    Sim().CurrentCameraState()->yaw = 0.1f;
    Frames(1);
    EXPECT_NEAR(TakeLookInput()[0], -0.1f * speed, 1e-3) << pick;
  }
}

TEST_F(FocusTest, SmallErrorsAreIgnored) {
  SetFloat(Vid::fFocusMinAngle, 0.2f);
  Frames(1);
  Sim().CurrentCameraState()->yaw = 0.1f;
  Frames(1);
  EXPECT_EQ(TakeLookInput(), (std::array<float, 2>{0, 0}));
}

TEST_F(FocusTest, ErrorsAcrossTheBackAreTakenTheShortWay) {
  // Facing straight back (the view following the camera alone), the yaw of the view and of
  // the held view straddle ±180 degrees.
  Sim().CurrentCameraState()->yaw = kPi - 0.001f;
  SetFloat(Vid::fRotationFromHead, 0);
  Frames(1);
  Sim().CurrentCameraState()->yaw = kPi - 0.001f + 0.01f;
  Frames(1);
  EXPECT_NEAR(TakeLookInput()[0], -0.08f, 1e-3);
}

TEST_F(FocusTest, LookInputDropsTheFocusAndCarriesExtraRotation) {
  Frames(1);
  ASSERT_TRUE(StateOf(Controller()).focusPoint.has_value());
  StateOf(Controller()).rotationAccumulators[0] = 1;
  StateOf(Controller()).rotationAccumulators[1] = 2;
  StateOf(Controller()).rotationAccumulators[2] = 3;
  StateOf(Controller()).rotationAccumulators[3] = 4;

  float none[2] = {0, 0};
  Controller().AddLookInput(none);  // no player input: focus stays, queued turns pass on
  EXPECT_TRUE(StateOf(Controller()).focusPoint.has_value());
  EXPECT_EQ(none[0], 4);
  EXPECT_EQ(none[1], 6);

  std::fill(StateOf(Controller()).rotationAccumulators,
            StateOf(Controller()).rotationAccumulators + 4, 1.0f);
  SetInt(Vid::iFocusDelay, 7);
  float input[2] = {2, -4};
  Controller().AddLookInput(input);
  EXPECT_FALSE(StateOf(Controller()).focusPoint.has_value());
  EXPECT_EQ(StateOf(Controller()).focusDelay, 7);
  EXPECT_FLOAT_EQ(StateOf(Controller()).mouseExtraYaw, 0.1f);
  EXPECT_FLOAT_EQ(StateOf(Controller()).mouseExtraPitch, -0.2f);
  // The focus slots were cleared by the reset; the mode-1 slots still pass on.
  EXPECT_EQ(input[0], 3);
  EXPECT_EQ(input[1], -3);
  for (float slot : StateOf(Controller()).rotationAccumulators) EXPECT_EQ(slot, 0);

  SetInt(Vid::iFocusDelay, -2);
  Controller().ResetFocus();
  EXPECT_EQ(StateOf(Controller()).focusDelay, 0);
}
