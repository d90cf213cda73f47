// The controller's per-frame update and the operations the game's hooks call.

#include "camera_fixture.h"
#include "values/value_ids.h"

namespace {

constexpr uint32_t kHeadCamera =
    ControllerFlag::Enabled | ControllerFlag::Activated | ControllerFlag::HeadCameraActive;

}  // namespace

using ControllerTest = CameraTest;

TEST_F(ControllerTest, FlagsFollowTheSettingsAndTheCameraState) {
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags, kHeadCamera);

  SetBool(Vid::bActivated, false);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags, uint32_t(ControllerFlag::Enabled));

  SetBool(Vid::bActivated, true);
  SetInt(Vid::iActivated, 0);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags, uint32_t(ControllerFlag::Enabled));

  SetInt(Vid::iActivated, 2);
  SetBool(Vid::bActivated2, false);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags, uint32_t(ControllerFlag::Enabled));

  SetBool(Vid::bActivated2, true);
  Sim().SetCameraState(7);  // activated, but not a head-camera state
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags,
            uint32_t(ControllerFlag::Enabled | ControllerFlag::Activated));

  Sim().SetCameraState(12);
  SetBool(Vid::bEnabled, false);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags, 0u);
}

// bIsInQARN and bIsActive report the camera as the last frame left it; a session reports the
// head view only from the end of its first frame on.
TEST_F(ControllerTest, ValuesSeeTheCameraAsTheLastFrameLeftIt) {
  Sim().frameTimeB = 0.1f;  // a profile update in every frame
  const auto shown = [] {
    SetConditionRefs(Values(), Vid::bIsInQARN, 1);
    SetConditionRefs(Values(), Vid::bIsActive, 1);
    return std::pair(ValueOr<bool>(Values(), Vid::bIsInQARN, false),
                     ValueOr<bool>(Values(), Vid::bIsActive, false));
  };
  shown();
  Frames(1);
  EXPECT_EQ(shown(), std::pair(false, false));
  Frames(1);
  EXPECT_EQ(shown(), std::pair(true, true));
  SetBool(Vid::bActivated, false);
  Frames(1);
  EXPECT_EQ(shown(), std::pair(true, true));
  Frames(1);
  EXPECT_EQ(shown(), std::pair(false, false));

  SetBool(Vid::bActivated, true);
  Frames(2);
  Owner().ReplaceSession(Owner().NewSession());
  shown();
  Frames(1);
  EXPECT_EQ(shown(), std::pair(false, true));
  Frames(1);
  EXPECT_EQ(shown(), std::pair(true, true));
}

TEST_F(ControllerTest, NeedsALoadedTargetAndACameraState) {
  Sim().player->loaded3D = nullptr;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags, 0u);
  EXPECT_TRUE(StateOf(Controller()).gameNotRunning);

  Sim().Reset();
  Sim().playerCamera->currentState = nullptr;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).flags, 0u);
  EXPECT_FALSE(StateOf(Controller()).gameNotRunning);
  EXPECT_EQ(StateOf(Controller()).frame.followed, nullptr);  // borrowed only during the update
}

TEST_F(ControllerTest, HeadCameraChangesAreReportedOnceWithTheWeaponState) {
  Sim().player->stateWord = 0x60;  // weapon out
  Frames(3);
  EXPECT_EQ(Sim().playerCamera->weaponRefreshes, std::vector<bool>{true});
  Sim().player->stateWord = 0x40;
  SetBool(Vid::bActivated, false);
  Frames(2);
  EXPECT_EQ(Sim().playerCamera->weaponRefreshes, (std::vector<bool>{true, false}));
}

TEST_F(ControllerTest, GameNotRunningStopsTheActiveClockOnTheNextFrame) {
  Sim().frameTimeA = 0.25f;
  Sim().frameTimeB = 0.5f;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).frame.activeFrameTime, 0.25f);
  EXPECT_EQ(StateOf(Controller()).frame.frameTime, 0.5f);

  Sim().mainState->notRunning = 1;
  Frames(1);
  EXPECT_TRUE(StateOf(Controller()).gameNotRunning);
  EXPECT_EQ(StateOf(Controller()).frame.activeFrameTime, 0.25f);  // decided from the previous frame
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).frame.activeFrameTime, 0.0f);
  EXPECT_EQ(StateOf(Controller()).frame.frameTime, 0.5f);

  Sim().mainState->notRunning = 0;
  Sim().uiState->notRunning = 1;
  Frames(1);
  EXPECT_TRUE(StateOf(Controller()).gameNotRunning);
  Sim().uiState = nullptr;
  Frames(1);
  EXPECT_TRUE(StateOf(Controller()).gameNotRunning);
}

TEST_F(ControllerTest, ATargetThatNoLongerResolvesFallsBackToThePlayer) {
  HostActor* other = Sim().CreateActor(0x5000);
  StateOf(Controller()).requestedRefFormId = 0x5000;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).followedFormId, 0x5000u);
  EXPECT_EQ(StateOf(Controller()).requestedRefFormId, 0x5000u);

  Sim().ForgetForm(other);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).requestedRefFormId, 0u);
  EXPECT_EQ(StateOf(Controller()).followedFormId, kSimPlayerFormId);

  StateOf(Controller()).requestedRefFormId =
      HostFormId(Sim().CreatePerk());  // a form, not a reference
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).requestedRefFormId, 0u);
  EXPECT_EQ(StateOf(Controller()).followedFormId, kSimPlayerFormId);
}

TEST_F(ControllerTest, ANonActorTargetIsFollowedWithoutActorState) {
  HostRef* statue = Sim().CreateReference(0x6000);
  statue->rotationX = 0.3f;
  StateOf(Controller()).requestedRefFormId = 0x6000;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).followedFormId, 0x6000u);
  EXPECT_EQ(StateOf(Controller()).followedPitch, 0.3f);
  EXPECT_EQ(StateOf(Controller()).flags, kHeadCamera);
  EXPECT_TRUE(Sim().playerCamera->weaponRefreshes == std::vector<bool>{false});
}

TEST_F(ControllerTest, MouseExtraRotationDecaysByPiPerSecond) {
  Sim().frameTimeB = 0.1f;
  StateOf(Controller()).mouseExtraYaw = 1.0f;
  StateOf(Controller()).mouseExtraPitch = -0.5f;
  Frames(1);
  EXPECT_FLOAT_EQ(StateOf(Controller()).mouseExtraYaw, 1.0f - 0.31415927f);
  EXPECT_FLOAT_EQ(StateOf(Controller()).mouseExtraPitch, -0.5f + 0.31415927f);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).mouseExtraPitch, 0.0f);  // would cross zero
  Frames(2);
  EXPECT_EQ(StateOf(Controller()).mouseExtraYaw, 0.0f);

  SetFloat(Vid::fExtraRotationMouse, 0.5f);
  StateOf(Controller()).mouseExtraYaw = 1.0f;
  Frames(3);
  EXPECT_EQ(StateOf(Controller()).mouseExtraYaw, 1.0f);
}

TEST_F(ControllerTest, OverridesHandOverOnlyAComputedHeadCamera) {
  float host[3] = {7, 8, 9};
  float hostRotation[9] = {0};
  Controller().OverridePosition(host);  // no update yet: not active
  Controller().OverrideRotation(hostRotation);
  EXPECT_EQ(host[0], 7);
  EXPECT_EQ(hostRotation[0], 0);

  Frames(1);
  Controller().OverridePosition(host);
  Controller().OverrideRotation(hostRotation);
  EXPECT_EQ(host[1], 6);  // the eye bone
  EXPECT_EQ(host[2], 124);
  EXPECT_EQ(hostRotation[0], 1);

  float untouched[3] = {7, 8, 9};
  std::fill(StateOf(Controller()).position, StateOf(Controller()).position + 3, 0.0f);
  Controller().OverridePosition(untouched);
  EXPECT_EQ(untouched[0], 7);
  EXPECT_EQ(untouched[2], 9);
}

TEST_F(ControllerTest, RestrictLookClampsOnlyNonZeroAnglesWhileActivated) {
  float yaw = 2.0f, pitch = 2.0f;
  Controller().RestrictLook(&yaw, &pitch);  // not activated yet
  EXPECT_EQ(yaw, 2.0f);

  Frames(1);
  StateOf(Controller()).followedPitch = 0.5f;
  Controller().RestrictLook(&yaw, &pitch);
  EXPECT_FLOAT_EQ(yaw, 90 * 0.017453f);
  EXPECT_FLOAT_EQ(pitch, 80 * 0.017453f + 0.5f);  // relative to the target's pitch

  // An exact zero passes, even with the target's pitch outside the limit.
  StateOf(Controller()).followedPitch = 3.0f;
  yaw = 0;
  pitch = 0;
  Controller().RestrictLook(&yaw, &pitch);
  EXPECT_EQ(pitch, 0.0f);

  SetFloat(Vid::fRestrictAngleHorizontal, -10);
  SetFloat(Vid::fRestrictAngleVertical, -10);
  StateOf(Controller()).followedPitch = 0;
  yaw = 0.5f;
  pitch = -0.5f;
  Controller().RestrictLook(&yaw, &pitch);
  EXPECT_EQ(yaw, 0.0f);
  EXPECT_EQ(pitch, 0.0f);
}

TEST_F(ControllerTest, PitchLimitsForTheTargetKeepANegativeSetting) {
  float minimum = -9, maximum = 9;
  Frames(1);
  Controller().SetPitchLimits(Sim().player, &minimum, &maximum);
  EXPECT_FLOAT_EQ(maximum, 80 * 0.017453f);
  EXPECT_FLOAT_EQ(minimum, -80 * 0.017453f);

  SetFloat(Vid::fRestrictAngleVertical, -10);
  Controller().SetPitchLimits(Sim().player, &minimum, &maximum);
  EXPECT_FLOAT_EQ(minimum, 0.17453f);
  EXPECT_FLOAT_EQ(maximum, -0.17453f);

  float otherMin = -9, otherMax = 9;
  Controller().SetPitchLimits(Sim().CreateActor(), &otherMin, &otherMax);
  EXPECT_EQ(otherMax, 9);
}

TEST_F(ControllerTest, HostCameraSwitchIsSuppressedOnlyInHeadView) {
  EXPECT_TRUE(Controller().AllowsHostCameraSwitch());
  Frames(1);
  EXPECT_FALSE(Controller().AllowsHostCameraSwitch());
  Sim().SetCameraState(0);
  Frames(1);
  EXPECT_TRUE(Controller().AllowsHostCameraSwitch());
}

TEST_F(ControllerTest, FaceCrosshairOverrides) {
  struct Case {
    int32_t setting;
    int32_t state;     // from 1
    int32_t argument;  // from 0
  };
  for (Case c : {Case{-2, 1, 1}, Case{-1, 3, 0}, Case{0, 1, 0}, Case{1, 4, 0}, Case{2, 5, 0},
                 Case{7, 5, 0}, Case{-5, 1, 0}}) {
    SetInt(Vid::iFaceCrosshair, c.setting);
    int32_t state = 1, argument = 0;
    Controller().FaceCrosshairOverride(&state);
    Controller().FaceCrosshairArgument(&argument);
    EXPECT_EQ(state, c.state) << c.setting;
    EXPECT_EQ(argument, c.argument) << c.setting;
  }
}

TEST_F(ControllerTest, ZoomAndToggleDriveActivationOnlyWhenAskedTo) {
  bool activated = false;
  EXPECT_EQ(Controller().ZoomIn(), 0);
  EXPECT_EQ(Controller().ToggleActivation(), 0);
  EXPECT_FALSE(GetBool(Values(), Vid::bActivated, activated));

  SetBool(Vid::bZoomIntoQARN, true);
  EXPECT_EQ(Controller().ZoomIn(), 1);
  EXPECT_TRUE(GetBool(Values(), Vid::bActivated, activated) && activated);
  EXPECT_EQ(Controller().ZoomOut(), 0);
  EXPECT_TRUE(GetBool(Values(), Vid::bActivated, activated) && !activated);

  SetBool(Vid::bToggleIntoQARN, true);
  EXPECT_EQ(Controller().ToggleActivation(), 1);
  EXPECT_TRUE(GetBool(Values(), Vid::bActivated, activated) && activated);
}

TEST_F(ControllerTest, StateOffsetsAreClearedInHeadViewExceptState7) {
  Frames(1);
  for (int32_t id : {5, 7, 12, 3}) {
    HostCameraState* state = Sim().SetCameraState(id);
    state->offsets = {1, 2, 3};
    Controller().ClearStateOffsets(state);
    const bool cleared = state->offsets == std::array<uint32_t, 3>{0, 0, 0};
    EXPECT_EQ(cleared, id == 5 || id == 12) << id;
  }
}

TEST_F(ControllerTest, NodeCacheExpiryKeepsTheHumanHead) {
  SetBool(Vid::bEnabled, false);  // no view step, so nothing caches again
  StateOf(Controller()).frameCounter = 119;
  StateOf(Controller()).cachedNodeIndex = 1;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, 1);

  StateOf(Controller()).frameCounter = 118;
  StateOf(Controller()).cachedNodeIndex = 2;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, 2);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, -1);
}

TEST_F(ControllerTest, CapturesTheHostCameraAnglesInItsOwnStates) {
  HostCameraState* state = Sim().SetCameraState(10);
  state->yaw = 0.3f;
  state->pitch = 0.2f;
  Sim().player->rotationZ = 0.1f;
  Sim().player->rotationX = 0.05f;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).offsetYaw, 0.3f);
  EXPECT_EQ(StateOf(Controller()).viewYaw, 0.3f + 0.1f);
  EXPECT_EQ(StateOf(Controller()).viewPitch, 0.2f - 0.05f);
  EXPECT_EQ(StateOf(Controller()).offsetPitch, 0.2f - 0.05f);

  Sim().SetCameraState(5)->yaw = 1.0f;  // a head-camera state without angles of its own
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).offsetYaw, 0.3f);
}

TEST_F(ControllerTest, ViewRotationBlendsHeadAndCamera) {
  const std::array<float, 9> head = Looking(0.8f, -0.2f);
  PlayerNode("NPC Head [Head]")->rotation = head;
  HostCameraState* state = Sim().CurrentCameraState();
  state->yaw = -0.4f;
  state->pitch = 0.3f;
  Matrix3 headMatrix;
  std::copy(head.begin(), head.end(), headMatrix.m);
  const Matrix3 camera = YawPitchOrientation(-0.4f, 0.3f);

  Frames(1);  // unset: the head alone
  EXPECT_TRUE(RotationsNear(Rotation(), headMatrix, 0));

  SetFloat(Vid::fRotationFromHead, 0);
  Frames(1);
  EXPECT_TRUE(RotationsNear(Rotation(), camera, 0));
  SetFloat(Vid::fRotationFromHead, -3);  // counts as 0
  Frames(1);
  EXPECT_TRUE(RotationsNear(Rotation(), camera, 0));

  SetFloat(Vid::fRotationFromHead, 0.25f);
  Frames(1);
  const float whole = AxisAngleOf(Multiply(headMatrix, Transpose(camera))).angle;
  const float fromCamera = AxisAngleOf(Multiply(Rotation(), Transpose(camera))).angle;
  const float toHead = AxisAngleOf(Multiply(headMatrix, Transpose(Rotation()))).angle;
  EXPECT_NEAR(fromCamera, 0.25f * whole, 1e-5);
  EXPECT_NEAR(toHead, 0.75f * whole, 1e-5);

  SetFloat(Vid::fRotationFromHead, 1);
  SetFloat(Vid::fExtraRotationFromCamera, 2);  // counts as 1: the camera's offset in full
  Frames(1);
  EXPECT_TRUE(RotationsNear(Rotation(), Multiply(headMatrix, camera), 2e-6));
}

TEST_F(ControllerTest, ZeroCameraOffsetAddsNoTurn) {
  // A head rotation whose R·Rᵀ rounds a hair below the identity's trace.
  PlayerNode("NPC Head [Head]")->rotation = Looking(1.0f, 0.2f);
  Matrix3 head;
  std::copy(PlayerNode("NPC Head [Head]")->rotation.begin(),
            PlayerNode("NPC Head [Head]")->rotation.end(), head.m);
  for (float share : {0.3f, 1.0f}) {
    SetFloat(Vid::fExtraRotationFromCamera, share);
    Frames(1);
    EXPECT_TRUE(RotationsNear(Rotation(), head, 1e-6)) << share;
  }
}

TEST_F(ControllerTest, MouseExtraRotationTurnsTheView) {
  SetFloat(Vid::fExtraRotationMouse, 0.5f);
  StateOf(Controller()).mouseExtraYaw = 0.6f;
  StateOf(Controller()).mouseExtraPitch = -0.2f;
  Frames(1);
  EXPECT_TRUE(RotationsNear(Rotation(), YawPitchOrientation(0.3f, -0.1f), 1e-6));
}

TEST_F(ControllerTest, HeadTrackingStartsAndReleasesThePlayer) {
  SetBool(Vid::bHeadtrack, true);
  Frames(1);
  HostAiProcess* process = Sim().player->aiProcess;
  EXPECT_EQ(StateOf(Controller()).headTrackedFormId, kSimPlayerFormId);
  EXPECT_TRUE(Controller().IsHeadTrackedActor(Sim().player));
  EXPECT_EQ(Sim().player->stateWord & 8u, 8u);
  EXPECT_TRUE(Sim().player->graphBools.at("IsNPC"));
  ASSERT_TRUE(process->headTrackActive);
  EXPECT_EQ(process->headTrackActor, Sim().player);
  // 200 units straight ahead of the eyes.
  EXPECT_EQ(process->headTrackPoint, (std::array<float, 3>{0, 206, 124}));

  Frames(2);
  EXPECT_EQ(process->headTrackSetCalls, 3);

  SetBool(Vid::bHeadtrack2, false);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).headTrackedFormId, 0u);
  EXPECT_FALSE(process->headTrackActive);
  EXPECT_EQ(process->headTrackClearCalls, 1);
  EXPECT_EQ(Sim().player->stateWord & 8u, 0u);
  EXPECT_FALSE(Sim().player->graphBools.at("IsNPC"));
  Frames(1);
  EXPECT_EQ(process->headTrackClearCalls, 1);  // released once
  EXPECT_EQ(Sim().liveEngineStrings, 0);
}

TEST_F(ControllerTest, HeadTrackingNeedsATrackingStateAndAnAiProcess) {
  SetBool(Vid::bHeadtrack, true);
  Sim().SetCameraState(11);  // a head-camera state, but not a tracking one
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).headTrackedFormId, 0u);

  Sim().SetCameraState(3);  // tracking without the head camera
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).headTrackedFormId, kSimPlayerFormId);

  Sim().SetCameraState(9);
  Sim().player->aiProcess = nullptr;
  StateOf(Controller()).headTrackedFormId = 0;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).headTrackedFormId, 0u);
}

TEST_F(ControllerTest, HeadTrackingAnotherActorLeavesItsStateBitOnRelease) {
  HostActor* other = Sim().CreateActor(0x7000);
  StateOf(Controller()).requestedRefFormId = 0x7000;
  SetBool(Vid::bHeadtrack, true);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).headTrackedFormId, 0x7000u);
  EXPECT_EQ(other->stateWord & 8u, 8u);
  EXPECT_EQ(other->graphBools.count("IsNPC"), 0u);

  SetBool(Vid::bHeadtrack, false);
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).headTrackedFormId, 0u);
  EXPECT_FALSE(other->aiProcess->headTrackActive);
  EXPECT_EQ(other->stateWord & 8u, 8u);
}
