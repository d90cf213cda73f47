// Head tracking: the followed actor's head looks where the camera looks. The game only drives
// the head of a non-player, so the player is made to look like one while it is tracked.

#include "camera/controller.h"
#include "camera/state_sets.h"
#include "values/camera_state_id.h"
#include "values/value_ids.h"
#include "values/value_or.h"

namespace {

constexpr uint32_t kPlayerFormId = 0x14;
constexpr uint32_t kHeadTrackedBit = 1u << 3;
constexpr float kLookAtDistance = 200;

void SetIsNpc(HostActor* actor, bool value) {
  EngineString name{};
  HostEngineStringCreate(&name, "IsNPC");
  HostSetGraphBool(actor, &name, value);
  HostEngineStringRelease(&name);
}

}  // namespace

void CameraController::UpdateHeadTracking() {
  if (!Enabled() || !frame.followedActor) return;
  const bool headtrack = ValueOr<bool>(updateSettings_, Vid::bHeadtrack, false);
  const bool headtrack2 = ValueOr<bool>(updateSettings_, Vid::bHeadtrack2, true);
  if (headtrack && IsHeadTrackingStateId(HostCameraStateIdOrNone()) && headtrack2) {
    const Vector3 from = {position[0], position[1], position[2]};
    const Vector3 point = Add(from, Scale(Forward(CameraOrientation()), kLookAtDistance));
    if (!IsFinite(point)) return;  // broken host angles: keep the last target
    const float asArray[3] = {point.x, point.y, point.z};
    const bool none = point.x == 0 && point.y == 0 && point.z == 0;
    DriveHeadTracking(frame.followedActor, none ? nullptr : asArray);
  } else if (HostFormId(HostRefAsForm(HostActorAsRef(frame.followedActor))) == headTrackedFormId) {
    DriveHeadTracking(frame.followedActor, nullptr);
  }
}

void CameraController::DriveHeadTracking(HostActor* actor, const float* point) {
  HostAiProcess* process = HostActorAiProcess(actor);
  if (!process) return;
  const uint32_t formId = HostFormId(HostRefAsForm(HostActorAsRef(actor)));
  const bool isPlayer = formId == kPlayerFormId;
  if (point) {
    if (formId != headTrackedFormId) {
      headTrackedFormId = formId;
      HostActorSetStateWord(actor, HostActorStateWord(actor) | kHeadTrackedBit);
      if (isPlayer) SetIsNpc(actor, true);
    }
    HostSetHeadTrackTarget(process, actor, point);
  } else if (formId == headTrackedFormId) {
    headTrackedFormId = 0;
    HostClearHeadTrackTarget(process);
    if (isPlayer) {
      HostActorSetStateWord(actor, HostActorStateWord(actor) & ~kHeadTrackedBit);
      SetIsNpc(actor, false);
    }
  }
}
