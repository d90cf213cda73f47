#pragma once
// Read-back and apply callbacks of the eight values that mirror a setting of the game or of
// the camera controller, and the view refresh request they raise. No apply writes an infinite
// or NaN number into the game: the game keeps its last value instead.

#include <atomic>
#include <cstdint>

#include "values/value_data.h"

struct ValueRegistry;

// 1 after the near clip or the field of view was changed in the game; a hook takes it on
// another thread, so raising and taking it are single atomic steps.
extern std::atomic<int32_t> projectionRefreshPending;

// Returns projectionRefreshPending and clears it.
int32_t TakeViewRefreshRequest();

// fNearClip and fNearClip2 share one pair: the lower of the two applies.
ValueData ReadNearClip(ValueRegistry& registry);
void ApplyNearClip(ValueRegistry& registry, ValueData data);
ValueData ReadFieldOfView(ValueRegistry& registry);
void ApplyFieldOfView(ValueRegistry& registry, ValueData data);
ValueData ReadTimeScale(ValueRegistry& registry);
void ApplyTimeScale(ValueRegistry& registry, ValueData data);
ValueData ReadVatsDisabled(ValueRegistry& registry);
void ApplyVatsDisabled(ValueRegistry& registry, ValueData data);
ValueData ReadViewOffsetHorizontal(ValueRegistry& registry);
void ApplyViewOffsetHorizontal(ValueRegistry& registry, ValueData data);
ValueData ReadViewOffsetVertical(ValueRegistry& registry);
void ApplyViewOffsetVertical(ValueRegistry& registry, ValueData data);
ValueData ReadObjectRefFormId(ValueRegistry& registry);
void ApplyObjectRefFormId(ValueRegistry& registry, ValueData data);
