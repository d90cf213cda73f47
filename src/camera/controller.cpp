// The controller's per-frame update.

#include "camera/controller.h"

#include <algorithm>

#include "camera/state_sets.h"
#include "values/camera_state_id.h"
#include "values/updaters.h"
#include "values/value_ids.h"
#include "values/value_or.h"

namespace {

constexpr float kMouseExtraDecayPerSecond = 3.1415927f;
constexpr uint64_t kNodeCacheFrames = 120;

// Moves value toward 0 by step; a value that would cross 0 stops at exactly 0.
void DecayToward0(float& value, float step) {
  if (value > 0) {
    value -= step;
    if (value < 0) value = 0;
  } else if (value < 0) {
    value += step;
    if (value > 0) value = 0;
  }
}

}  // namespace

void CameraController::Reset() {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  static_cast<ControllerState&>(*this) = ControllerState{};
}

const FrameContext& CameraController::BeginUpdate() {
  ++frameCounter;
  frame.activeFrameTime = HostFrameTimeA();
  frame.frameTime = HostFrameTimeB();
  if (gameNotRunning) frame.activeFrameTime = 0;

  // The followed reference: the one asked for while it still resolves, else the player.
  HostRef* const player = HostPlayer();
  HostRef* followed = RequestedRef();
  if (!followed) {
    requestedRefFormId = 0;
    followed = player;
  }
  if (followed && !HostRefLoaded3D(followed)) followed = nullptr;
  frame.followed = followed;
  frame.followedActor = followed ? HostCastToActor(HostRefAsForm(followed)) : nullptr;
  if (followed) {
    followedFormId = HostFormId(HostRefAsForm(followed));
    followedPitch = HostRefRotationX(followed);
  }
  // The flags stay as the last update decided them until UpdateFlags.
  frame.activated = IsActivated();
  frame.headCameraShown = IsHeadCameraActive();

  if (!(ValueOr<float>(updateSettings_, Vid::fExtraRotationMouse, 0.0f) > 0)) {
    const float step = frame.frameTime * kMouseExtraDecayPerSecond;
    DecayToward0(mouseExtraYaw, step);
    DecayToward0(mouseExtraPitch, step);
  }

  ReadHostConditions(player);
  return frame;
}

void CameraController::UpdateFlags() {
  // Hooks on other threads read the flags without the lock: they are stored once, whole.
  flags = DecideFlags(frame.followed != nullptr, HostCameraStateIdOrNone()).flags;
}

void CameraController::FinishUpdate() {
  const bool headCamera = IsHeadCameraActive();
  if (headCameraWasActive != headCamera) {
    headCameraWasActive = headCamera;
    if (HostCamera* camera = HostPlayerCamera()) {
      HostCameraWeaponRefresh(camera, frame.followedActor && IsWeaponOut(frame.followedActor));
    }
  }

  // Retry the preferred names now and then; index 1, the usual human head, stays.
  if (cachedNodeIndex > 1 && frameCounter % kNodeCacheFrames == 0) cachedNodeIndex = -1;

  if (Enabled()) ViewStep(headCamera);
  UpdateHeadTracking();
  if (focusDelay > 0) --focusDelay;
  PlaceFocusPoint();
  FocusStep();
  RunRotationQueues(frame.frameTime);

  frame.followed = nullptr;
  frame.followedActor = nullptr;
}

void CameraController::ReadHostConditions(HostRef* player) {
  HostUiState* ui = HostUiStateGet();
  HostMainState* main = HostMainStateGet();
  gameNotRunning = !player || !HostRefLoaded3D(player) || !ui || HostUiStateNotRunning(ui) != 0 ||
                   !main || HostMainStateNotRunning(main) != 0;
}

FlagDecision CameraController::DecideFlags(bool hasTarget, int32_t cameraStateId) const {
  // Unset switches count as on.
  bool enabled = true;
  bool activated = true;
  bool activated2 = true;
  int32_t activatedLevel = 1;
  if (!hasTarget) return {0, CameraStop::NoTarget};
  if (cameraStateId == -1) return {0, CameraStop::NoCameraState};
  if (updateSettings_.GetBool(Vid::bEnabled, enabled) && !enabled) {
    return {0, CameraStop::EnabledOff};
  }
  const uint32_t on = ControllerFlag::Enabled;
  if (updateSettings_.GetBool(Vid::bActivated, activated) && !activated) {
    return {on, CameraStop::ActivatedOff};
  }
  if (updateSettings_.GetBool(Vid::bActivated2, activated2) && !activated2) {
    return {on, CameraStop::Activated2Off};
  }
  if (updateSettings_.GetInt(Vid::iActivated, activatedLevel) && activatedLevel <= 0) {
    return {on, CameraStop::ActivatedLevel};
  }
  if (!IsHeadCameraStateId(cameraStateId)) {
    return {on | ControllerFlag::Activated, CameraStop::NotHeadState};
  }
  return {on | ControllerFlag::Activated | ControllerFlag::HeadCameraActive, CameraStop::None};
}

HostRef* CameraController::RequestedRef() const {
  if (requestedRefFormId == 0) return nullptr;
  HostForm* form = HostLookupFormById(requestedRefFormId);
  return form ? HostCastToReference(form) : nullptr;
}
