// Read-back and apply callbacks of the values that mirror a game or camera setting.

#include "values/appliers.h"

#include <utility>

#include "values/camera_link.h"
#include "values/camera_state_id.h"
#include "values/registry.h"

std::atomic<int32_t> projectionRefreshPending{0};

int32_t TakeViewRefreshRequest() { return projectionRefreshPending.exchange(0); }

namespace {

constexpr float kFarthestNearClip = 500.0f;
constexpr float kNearestNearClip = 0.0001f;  // 0x38D1B717
constexpr float kFieldOfViewWithoutCamera = 90.0f;

bool IsSetOf(const ValueData& data, ValueType type) { return data.isSet && data.type == type; }

// The camera state that holds the view offsets: only states 9, 10 and 12 have them.
HostCameraState* ViewOffsetState() {
  HostCamera* camera = HostPlayerCamera();
  HostCameraState* state = camera ? HostCameraCurrentState(camera) : nullptr;
  if (!state) return nullptr;
  const int32_t id = HostCameraStateId(state);
  return (id == 9 || id == 10 || id == 12) ? state : nullptr;
}

}  // namespace

ValueData ReadNearClip(ValueRegistry&) { return ValueData::Float(HostNearClipGet()); }

void ApplyNearClip(ValueRegistry& registry, ValueData) {
  // Recomputed from both values, each followed through its tween.
  Value* first = ValueAt(registry, Vid::fNearClip);
  Value* second = ValueAt(registry, Vid::fNearClip2);
  if (!first || !second) return;
  const ValueData a = GetValue(registry, *first, true);
  const ValueData b = GetValue(registry, *second, true);
  // An infinite or NaN side leaves the game's near clip as it is.
  for (const ValueData* side : {&a, &b}) {
    if (IsSetOf(*side, ValueType::Float) && !side->IsFiniteFloat()) return;
  }
  float nearClip = kFarthestNearClip;
  if (IsSetOf(a, ValueType::Float) && a.AsFloat() < nearClip) nearClip = a.AsFloat();
  if (IsSetOf(b, ValueType::Float) && b.AsFloat() < nearClip) nearClip = b.AsFloat();
  if (nearClip < kNearestNearClip) nearClip = kNearestNearClip;
  if (nearClip != HostNearClipGet()) {
    HostNearClipSet(nearClip);
    projectionRefreshPending = 1;
  }
}

ValueData ReadFieldOfView(ValueRegistry&) {
  HostCamera* camera = HostPlayerCamera();
  if (!camera) return ValueData::Float(kFieldOfViewWithoutCamera, false);
  return ValueData::Float(HostCameraFieldOfView(camera));
}

void ApplyFieldOfView(ValueRegistry&, ValueData data) {
  HostCamera* camera = HostPlayerCamera();
  if (!data.IsFiniteFloat() || !camera) return;
  if (HostCameraFieldOfView(camera) == data.AsFloat()) return;
  HostCameraSetFieldOfView(camera, data.AsFloat());
  projectionRefreshPending = 1;
}

ValueData ReadTimeScale(ValueRegistry&) { return ValueData::Float(HostTimeScaleGet()); }

void ApplyTimeScale(ValueRegistry&, ValueData data) {
  if (!data.IsFiniteFloat()) return;
  const float scale = data.AsFloat();
  HostTimeScaleSet(scale > 0 ? scale : 0);  // negative time stands still
}

ValueData ReadVatsDisabled(ValueRegistry&) { return ValueData::Bool((HostVatsDisabledGet() & 0xFF) != 0); }

void ApplyVatsDisabled(ValueRegistry&, ValueData data) {
  if (IsSetOf(data, ValueType::Bool)) HostVatsDisabledSet(data.payload != 0 ? 1 : 0);
}

ValueData ReadViewOffsetHorizontal(ValueRegistry&) {
  HostCameraState* state = ViewOffsetState();
  return state ? ValueData::Float(HostCameraStateYaw(state)) : ValueData::Float(0, false);
}

void ApplyViewOffsetHorizontal(ValueRegistry&, ValueData data) {
  HostCameraState* state = ViewOffsetState();
  if (data.IsFiniteFloat() && state) HostCameraStateSetYaw(state, data.AsFloat());
}

ValueData ReadViewOffsetVertical(ValueRegistry&) {
  HostCameraState* state = ViewOffsetState();
  return state ? ValueData::Float(HostCameraStatePitch(state)) : ValueData::Float(0, false);
}

void ApplyViewOffsetVertical(ValueRegistry&, ValueData data) {
  HostCameraState* state = ViewOffsetState();
  if (data.IsFiniteFloat() && state) HostCameraStateSetPitch(state, data.AsFloat());
}

ValueData ReadObjectRefFormId(ValueRegistry& registry) {
  const uint32_t formId = registry.camera ? registry.camera->RequestedRefFormId() : 0;
  return ValueData::Int(static_cast<int32_t>(formId));
}

void ApplyObjectRefFormId(ValueRegistry& registry, ValueData data) {
  if (IsSetOf(data, ValueType::Int) && registry.camera) {
    registry.camera->SetRequestedRefFormId(data.payload);
  }
}
