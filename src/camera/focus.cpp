// Focus: after the player stops turning, a point straight ahead is picked and the view is held
// on it by small queued turns, until the next look input drops it again.

#include <algorithm>
#include <cmath>
#include <mutex>

#include "camera/controller.h"
#include "values/camera_state_id.h"
#include "values/value_ids.h"
#include "values/value_or.h"

namespace {

constexpr float kFocusFallbackDistance = 5000;
constexpr float kLookAheadDistance = 200;
constexpr float kLookInputToExtraRotation = 0.05f;
constexpr int32_t kDefaultFocusDelay = 3;

bool FocusEnabled(CameraSettings& settings) { return ValueOr<bool>(settings, Vid::bFocus, false); }

// An angle difference the short way round.
float Wrapped(float angle) {
  if (angle > kPi) return angle - 2 * kPi;
  if (angle < -kPi) return angle + 2 * kPi;
  return angle;
}

}  // namespace

void CameraController::SetFocusPick(const float point[3]) {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  focusPoint = Vector3{point[0], point[1], point[2]};
}

void CameraController::ResetFocus() {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  rotationAccumulators[0] = 0;
  rotationAccumulators[1] = 0;
  focusDelay = std::max(ValueOr<int32_t>(settings_, Vid::iFocusDelay, kDefaultFocusDelay), 0);
  focusPoint.reset();
}

void CameraController::AddLookInput(float input[2]) {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  if (input[0] != 0 || input[1] != 0) {
    mouseExtraYaw += kLookInputToExtraRotation * input[0];
    mouseExtraPitch += kLookInputToExtraRotation * input[1];
    ResetFocus();
  }
  // Queued turns whose sum overflows leave the game's look input as it was.
  const float horizontal = input[0] + (rotationAccumulators[0] + rotationAccumulators[2]);
  const float vertical = input[1] + (rotationAccumulators[1] + rotationAccumulators[3]);
  if (std::isfinite(horizontal)) input[0] = horizontal;
  if (std::isfinite(vertical)) input[1] = vertical;
  std::fill(rotationAccumulators, rotationAccumulators + 4, 0.0f);
}

void CameraController::PlaceFocusPoint() {
  if (focusPoint || focusDelay != 0 || !IsHeadCameraActive() || !FocusEnabled(updateSettings_)) {
    return;
  }
  // The pick hands its point to SetFocusPick while it runs.
  if (HostRef* player = HostPlayer()) HostPlayerCrosshairPick(player);
  const Vector3 from = {position[0], position[1], position[2]};
  float distance = kFocusFallbackDistance;
  if (focusPoint) distance = Length(Subtract(*focusPoint, from));
  // Straight ahead at the picked distance, not the picked point itself.
  focusPoint = Add(from, Scale(Forward(CameraOrientation()), distance));
}

void CameraController::FocusStep() {
  if (!focusPoint || focusDelay != 0 || !IsHeadCameraActive() || !FocusEnabled(updateSettings_)) {
    return;
  }
  Matrix3 view;
  std::copy(rotation, rotation + 9, view.m);
  const Vector3 from = {position[0], position[1], position[2]};

  const Vector3 ahead = Add(from, Scale(Forward(CameraOrientation()), kLookAheadDistance));
  const Vector3 looking = NormalizedOrSame(Subtract(ahead, from));
  const Vector3 toFocus = Subtract(*focusPoint, from);
  const float focusDistance = Length(toFocus);
  const Matrix3 held = Multiply(RotationBetween(looking, NormalizedOrSame(toFocus)), view);
  const float horizontalError = Wrapped(YawOf(view) - YawOf(held));
  const float verticalError = Wrapped(PitchOf(held) - PitchOf(view));

  const float minAngle = ValueOr<float>(updateSettings_, Vid::fFocusMinAngle, 0.0005f);
  const float speed = ValueOr<float>(updateSettings_, Vid::fFocusSpeed, 8.0f);
  const float k = std::clamp(focusDistance, 50.0f, 500.0f) / 500 * speed;

  RotationItem item;
  item.duration = 0;
  item.mode = RotationMode::Focus;
  if (std::fabs(horizontalError) > minAngle) {
    item.axis = 0;
    item.amount = k * horizontalError;
    QueueRotation(item);
  }
  if (std::fabs(verticalError) > minAngle) {
    item.axis = 1;
    item.amount = k * verticalError;
    QueueRotation(item);
  }
}
