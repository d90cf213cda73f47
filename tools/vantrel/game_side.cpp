// The simulated game's side of the plug-in's hooks, in the game's order within a frame.

#include "game_side.h"

#include <algorithm>
#include <bit>

#include "plugin/hooks/hook_bridges.h"
#include "sim_world.h"
#include "world_edits.h"

namespace {

constexpr float kRadiansPerDegree = 3.14159265358979323846f / 180;
// The game's own camera states of first and third person, and those that carry a yaw and
// pitch of their own, which look input turns.
constexpr int32_t kFirstPersonState = 0;
constexpr int32_t kThirdPersonState = 9;
constexpr int32_t kYawPitchStates[] = {9, 10, 12};
constexpr uint8_t kSkippedEventKind = 4;  // the events hook 27's jump skips

int32_t CurrentStateId() {
  HostCameraState* state = Sim().CurrentCameraState();
  return state ? state->id : -1;
}

void SwitchTo(int32_t stateId) { Sim().SetCameraState(stateId); }

}  // namespace

GameSide::GameSide() : ownPitchLimits{-90 * kRadiansPerDegree, 90 * kRadiansPerDegree} {}

void GameSide::PlayFrame(float activeSeconds, float frameSeconds) {
  SimWorld& world = Sim();
  world.frameTimeA = activeSeconds;
  world.frameTimeB = frameSeconds;
  TurnCamera();
  BridgeUpdate();  // hook 16
  if (faceCrosshairFlag) FaceCrosshair(*faceCrosshairFlag);
  faceCrosshairFlag.reset();
  for (HostActor* actor : world.Actors()) TrackHead(actor);
  ClampPitch(FollowedActor());
  UpdateCamera();
  if (BridgeTakeViewRefreshRequest()) ++refreshes;  // hook 17
}

// Hook 26: the frame's look input, moved or not, comes back with the plug-in's turns added;
// the game turns its camera state by what it gets.
void GameSide::TurnCamera() {
  float look[2] = {pendingLook[0], pendingLook[1]};
  pendingLook = {0, 0};
  BridgeAddLookInput(look);
  receivedLook = {look[0], look[1]};
  HostCameraState* state = Sim().CurrentCameraState();
  if (!state || std::find(std::begin(kYawPitchStates), std::end(kYawPitchStates), state->id) ==
                    std::end(kYawPitchStates)) {
    return;
  }
  const float scale = lookDegreesPerUnit * kRadiansPerDegree;
  state->yaw += look[0] * scale;
  state->pitch += look[1] * scale;
}

// Hooks 10 and 9: the method takes its argument (the plug-in may set it), then its flag
// becomes the state that the plug-in may override.
void GameSide::FaceCrosshair(bool flag) {
  FaceCrosshairResult result;
  BridgeFaceCrosshairArgument(&result.argument);
  result.state = flag ? 1 : 0;
  BridgeFaceCrosshairOverride(&result.state);
  faceCrosshair = result;
}

// Hooks 1 and 2: the game's head tracking skips the actor the plug-in drives; for any other
// its own head tracking hands out no point.
void GameSide::TrackHead(HostActor* actor) {
  if (BridgeIsHeadTrackedActor(actor)) return;  // hook 1
  // (the game's code between the two sites)
  if (BridgeIsHeadTrackedActor(actor)) return;  // hook 2
  if (HostAiProcess* process = actor->aiProcess) {
    process->headTrackActive = false;
    process->headTrackActor = nullptr;
    process->headTrackPoint = {0, 0, 0};
  }
}

// Hooks 30, 29 and 31: inside the function they bracket, the plug-in may replace the limits
// the game clamps the followed actor's pitch to. Minimum first, then maximum, as the game
// compares: limits the wrong way round leave the pitch at the maximum.
void GameSide::ClampPitch(HostActor* actor) {
  usedPitchLimits.reset();
  if (!actor) return;
  float minimum = ownPitchLimits[0], maximum = ownPitchLimits[1];
  BridgeSetPitchLimits(actor, &minimum, &maximum);
  if (actor->rotationX < minimum) actor->rotationX = minimum;
  if (actor->rotationX > maximum) actor->rotationX = maximum;
  usedPitchLimits = std::array<float, 2>{minimum, maximum};
}

// Hooks 18-23: the camera state writes its offset fields and the plug-in may clear them. Hook 3:
// the state's own angles are restricted, and the camera takes the plug-in's place and view;
// hooks 4 and 5 are two more of the game's paths that hand the camera over.
void GameSide::UpdateCamera() {
  HostCamera* camera = Sim().playerCamera;
  if (!camera) return;
  if (HostCameraState* state = camera->currentState) {
    for (size_t i = 0; i < 3; ++i) state->offsets[i] = std::bit_cast<uint32_t>(offsets[i]);
    BridgeClearStateOffsets(state);
    BridgeRestrictAndOverride(&state->yaw, &state->pitch, camera->position.data(),
                              camera->rotation.data());
  }
  for (int hook = 4; hook <= 5; ++hook) {
    BridgeOverride(camera->position.data(), camera->rotation.data());
  }
}

void GameSide::ZoomIn() {
  BridgeZoomIn();  // hook 15: the game's check lets it zoom into first person
  if (!BridgeZoomIn()) SwitchTo(kFirstPersonState);  // hook 11
}

void GameSide::ZoomOut() {
  BridgeZoomOut();  // hook 12: the zoom level changed
  if (CurrentStateId() == kFirstPersonState) SwitchTo(kThirdPersonState);
}

void GameSide::ToggleView() {
  if (BridgeToggleActivation()) return;  // hook 13: the plug-in took the key
  SwitchTo(CurrentStateId() == kFirstPersonState ? kThirdPersonState : kFirstPersonState);
}

void GameSide::ToggleState() { BridgeToggleActivation(); }  // hook 14

void GameSide::SwitchCamera(int32_t stateId) {
  if (BridgeAllowsHostCameraSwitch()) SwitchTo(stateId);  // hook 8
}

void GameSide::InputEvent(int32_t kind) {
  inputSkipped[kind] = kind == kSkippedEventKind && !BridgeIsHeadCameraActive();  // hook 27
}

bool GameSide::FirstPersonQuery() const {
  const SimWorld& world = Sim();
  uint32_t answer =
      world.firstPersonAnswer ? *world.firstPersonAnswer : CurrentStateId() == kFirstPersonState;
  if ((answer & 0xFF) != 0) answer = BridgeIsHeadCameraActive() ? 0 : 1;  // hook 28
  return (answer & 0xFF) != 0;
}

void GameSide::MountStart() { BridgeOnMountStart(FollowedActor()); }
void GameSide::DismountStart() { BridgeOnDismountStart(FollowedActor()); }
