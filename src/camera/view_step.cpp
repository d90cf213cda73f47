// The view step of the update: the host camera's angles, then (head camera only) the camera
// position on the head node and the view rotation blended from head, camera and mouse.

#include <algorithm>
#include <cmath>

#include "camera/controller.h"
#include "camera/head_node.h"
#include "camera/state_sets.h"
#include "values/camera_state_id.h"
#include "values/value_ids.h"
#include "values/value_or.h"

namespace {

constexpr float kSmallestHeadDeterminant = 1e-3f;

}  // namespace

Matrix3 CameraController::CameraOrientation() const {
  return viewOrientation_.Orientation(viewYaw, viewPitch);
}

Matrix3 CameraController::CameraOffsetOrientation() const {
  return YawPitchOrientation(offsetYaw, offsetPitch);
}

void CameraController::ViewStep(bool headCameraActive) {
  HostCamera* camera = HostPlayerCamera();
  HostCameraState* state = camera ? HostCameraCurrentState(camera) : nullptr;
  if (state && IsYawPitchStateId(HostCameraStateId(state))) {
    const float yaw = HostCameraStateYaw(state);
    const float pitch = HostCameraStatePitch(state);
    HostRef* actorRef = frame.followedActor ? HostActorAsRef(frame.followedActor) : nullptr;
    const float actorPitch = actorRef ? HostRefRotationX(actorRef) : 0;
    const float actorYaw = actorRef ? HostRefRotationZ(actorRef) : 0;
    offsetYaw = yaw;
    viewYaw = yaw + actorYaw;
    viewPitch = pitch - actorPitch;
    offsetPitch = pitch - actorPitch;
  }
  if (!headCameraActive) return;

  // A node the game hands back with a broken transform leaves the last good view in place.
  if (HostNode* node = AttachmentNode(*this, true)) {
    Matrix3 r;
    float t[3];
    HostNodeWorldRotation(node, r.m);
    HostNodeWorldTranslation(node, t);
    const float h = ValueOr<float>(updateSettings_, Vid::fPositionOffsetHorizontal, 0);
    const float v = ValueOr<float>(updateSettings_, Vid::fPositionOffsetVertical, 0);
    const float d = ValueOr<float>(updateSettings_, Vid::fPositionOffsetDepth, 0);
    // Horizontal along the node's X axis, depth along Y (forward), vertical along Z.
    const Vector3 placed = {r(0, 0) * h + r(0, 1) * d + r(0, 2) * v + t[0],
                            r(1, 0) * h + r(1, 1) * d + r(1, 2) * v + t[1],
                            r(2, 0) * h + r(2, 1) * d + r(2, 2) * v + t[2]};
    if (IsFinite(placed)) {
      position[0] = placed.x;
      position[1] = placed.y;
      position[2] = placed.z;
    }
  }

  HostNode* node = AttachmentNode(*this, false);
  if (!node) return;
  Matrix3 view;
  HostNodeWorldRotation(node, view.m);
  // A collapsed head rotation is no view, though every element of it is finite.
  if (!(std::fabs(Determinant(view)) > kSmallestHeadDeterminant)) return;

  float fromHead = 1;
  if (updateSettings_.GetFloat(Vid::fRotationFromHead, fromHead) && fromHead < 0) fromHead = 0;
  if (!(fromHead >= 1)) view = Slerp(CameraOrientation(), view, fromHead);

  const float fromCamera = ValueOr<float>(updateSettings_, Vid::fExtraRotationFromCamera, 0);
  if (fromCamera > 0) {
    view = Slerp(view, Multiply(view, CameraOffsetOrientation()), std::min(fromCamera, 1.0f));
  }

  const float mouse = ValueOr<float>(updateSettings_, Vid::fExtraRotationMouse, 0);
  if (mouse > 0) {
    view = Multiply(view, YawPitchOrientation(mouseExtraYaw * mouse, mouseExtraPitch * mouse));
  }

  if (IsFinite(view)) std::copy(view.m, view.m + 9, rotation);
}
