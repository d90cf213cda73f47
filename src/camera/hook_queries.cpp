// The small operations the game's hooks call between two updates. They read the flags of the
// last update; only the position and rotation copies take the controller's lock.

#include <algorithm>
#include <mutex>

#include "camera/controller.h"
#include "camera/state_sets.h"
#include "values/camera_state_id.h"
#include "values/value_ids.h"
#include "values/value_or.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;

uint32_t FormIdOf(HostActor* actor) { return HostFormId(HostRefAsForm(HostActorAsRef(actor))); }

bool SwitchIsOn(CameraSettings& settings, int32_t index) {
  bool on = false;
  return settings.GetBool(index, on) && on;
}

}  // namespace

void CameraController::GetPosition(float out[3]) const {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  std::copy(position, position + 3, out);
}

void CameraController::GetRotation(float out[9]) const {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  std::copy(rotation, rotation + 9, out);
}

void CameraController::OverridePosition(float out[3]) {
  if (!IsHeadCameraActive()) return;
  float computed[3];
  GetPosition(computed);
  // (0, 0, 0) means no position was ever computed.
  if (computed[0] == 0 && computed[1] == 0 && computed[2] == 0) return;
  std::copy(computed, computed + 3, out);
}

void CameraController::OverrideRotation(float out[9]) {
  if (IsHeadCameraActive()) GetRotation(out);
}

void CameraController::OverrideView(float position[3], float rotation[9]) {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  OverridePosition(position);
  OverrideRotation(rotation);
}

void CameraController::RestrictLook(float* yaw, float* pitch) {
  if (!IsActivated()) return;
  if (*yaw != 0) {
    const float degrees = ValueOr<float>(settings_, Vid::fRestrictAngleHorizontal, 90.0f);
    const float limit = std::max(degrees, 0.0f) * kDegreesToRadians;
    *yaw = std::clamp(*yaw, -limit, limit);
  }
  if (*pitch != 0) {
    const float degrees = ValueOr<float>(settings_, Vid::fRestrictAngleVertical, 80.0f);
    const float limit = std::max(degrees, 0.0f) * kDegreesToRadians;
    // Relative to the followed reference's own pitch.
    *pitch = std::clamp(*pitch - followedPitch, -limit, limit) + followedPitch;
  }
}

void CameraController::SetPitchLimits(HostActor* actor, float* minimum, float* maximum) {
  if (!IsActivated() || !actor || FormIdOf(actor) != followedFormId) return;
  const float degrees = ValueOr<float>(settings_, Vid::fRestrictAngleVertical, 80.0f);
  *maximum = degrees * kDegreesToRadians;
  *minimum = -*maximum;
}

bool CameraController::AllowsHostCameraSwitch() const {
  return !Enabled() || !IsHeadCameraActive();
}

bool CameraController::IsHeadTrackedActor(HostActor* actor) const {
  return actor && FormIdOf(actor) == headTrackedFormId;
}

bool CameraController::IsHeadCameraState() const {
  return IsHeadCameraStateId(HostCameraStateIdOrNone());
}

void CameraController::FaceCrosshairOverride(int32_t* state) const {
  const int32_t face = ValueOr<int32_t>(settings_, Vid::iFaceCrosshair, 0);
  if (face == -1) {
    *state = FaceCrosshairState::HostFlagSet;
  } else if (face == 1) {
    *state = FaceCrosshairState::HostFlagCleared;
  } else if (face >= 2) {
    *state = FaceCrosshairState::HostFlagClearedEaxSet;
  }
}

void CameraController::FaceCrosshairArgument(int32_t* arg) const {
  const int32_t face = ValueOr<int32_t>(settings_, Vid::iFaceCrosshair, 0);
  if (face == -2) *arg = 1;
}

int32_t CameraController::ZoomIn() {
  if (!SwitchIsOn(settings_, Vid::bZoomIntoQARN)) return 0;
  settings_.SetBool(Vid::bActivated, true);
  return 1;
}

int32_t CameraController::ZoomOut() {
  if (SwitchIsOn(settings_, Vid::bZoomIntoQARN)) settings_.SetBool(Vid::bActivated, false);
  return 0;
}

int32_t CameraController::ToggleActivation() {
  if (!SwitchIsOn(settings_, Vid::bToggleIntoQARN)) return 0;
  settings_.ToggleBool(Vid::bActivated);
  return 1;
}

void CameraController::ClearStateOffsets(HostCameraState* state) {
  if (IsHeadCameraActive() && state && IsClearedOffsetStateId(HostCameraStateId(state))) {
    HostCameraStateClearOffsets(state);
  }
}
