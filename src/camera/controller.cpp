// The controller's per-frame update.

#include "camera/controller.h"

#include <algorithm>

#include "camera/state_sets.h"
#include "values/camera_state_id.h"
#include "values/updaters.h"
#include "values/value_ids.h"

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

CameraFrameInput CameraController::BeginUpdate() {
  ++frameCounter;
  activeFrameTime = HostFrameTimeA();
  frameTime = HostFrameTimeB();
  if (gameNotRunning) activeFrameTime = 0;

  // The followed reference: the one asked for while it still resolves, else the player.
  HostRef* const player = HostPlayer();
  HostRef* followed = nullptr;
  if (requestedRefFormId != 0) {
    HostForm* form = HostLookupFormById(requestedRefFormId);
    followed = form ? HostCastToReference(form) : nullptr;
    if (!followed) requestedRefFormId = 0;
  }
  if (requestedRefFormId == 0) followed = player;
  if (followed && !HostRefLoaded3D(followed)) followed = nullptr;
  target = followed;
  targetActor = target ? HostCastToActor(HostRefAsForm(target)) : nullptr;
  if (target) {
    followedFormId = HostFormId(HostRefAsForm(target));
    followedPitch = HostRefRotationX(target);
  }

  float extraMouse = 0;
  updateSettings_.GetFloat(Vid::fExtraRotationMouse, extraMouse);
  if (!(extraMouse > 0)) {
    const float step = frameTime * kMouseExtraDecayPerSecond;
    DecayToward0(mouseExtraYaw, step);
    DecayToward0(mouseExtraPitch, step);
  }

  ReadHostConditions(player);
  return {target, targetActor, frameTime, activeFrameTime};
}

void CameraController::UpdateFlags() {
  // Hooks on other threads read the flags without the lock: they are stored once, whole.
  uint32_t next = 0;
  bool enabledSetting = true;
  updateSettings_.GetBool(Vid::bEnabled, enabledSetting);
  const int32_t cameraState = HostCameraStateIdOrNone();
  if (target && cameraState != -1 && enabledSetting) next = ControllerFlag::Enabled;
  if (next & ControllerFlag::Enabled) next |= Activate(cameraState);
  flags = next;
}

void CameraController::FinishUpdate() {
  const bool headCamera = IsHeadCameraActive();
  if (headCameraWasActive != headCamera) {
    headCameraWasActive = headCamera;
    if (HostCamera* camera = HostPlayerCamera()) {
      HostCameraWeaponRefresh(camera, targetActor && IsWeaponOut(targetActor));
    }
  }

  // Retry the preferred names now and then; index 1, the usual human head, stays.
  if (cachedNodeIndex > 1 && frameCounter % kNodeCacheFrames == 0) cachedNodeIndex = -1;

  if (Enabled()) ViewStep(headCamera);
  UpdateHeadTracking();
  if (focusDelay > 0) --focusDelay;
  PlaceFocusPoint();
  FocusStep();
  RunRotationQueues(frameTime);

  target = nullptr;
  targetActor = nullptr;
}

void CameraController::ReadHostConditions(HostRef* player) {
  HostUiState* ui = HostUiStateGet();
  HostMainState* main = HostMainStateGet();
  gameNotRunning = !player || !HostRefLoaded3D(player) || !ui || HostUiStateNotRunning(ui) != 0 ||
                   !main || HostMainStateNotRunning(main) != 0;
}

uint32_t CameraController::Activate(int32_t cameraStateId) const {
  // Unset switches count as on.
  bool activated = true;
  if (updateSettings_.GetBool(Vid::bActivated, activated) && !activated) return 0;
  bool activated2 = true;
  if (updateSettings_.GetBool(Vid::bActivated2, activated2) && !activated2) return 0;
  int32_t activatedLevel = 1;
  if (updateSettings_.GetInt(Vid::iActivated, activatedLevel) && activatedLevel <= 0) return 0;
  if (!IsHeadCameraStateId(cameraStateId)) return ControllerFlag::Activated;
  return ControllerFlag::Activated | ControllerFlag::HeadCameraActive;
}
