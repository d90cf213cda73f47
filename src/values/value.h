#pragma once
// One named value: its record, its tween and the operations on a single record.

#include <memory>

#include "host/host.h"
#include "values/value_data.h"

struct Value;
struct ValueRegistry;
struct UpdateInput;

using ValueUpdater = void (*)(const UpdateInput& input, Value* value);
// The host callbacks get the registry they act for: a setting may depend on another value.
using ValueReadBack = ValueData (*)(ValueRegistry& registry);
using ValueApply = void (*)(ValueRegistry& registry, ValueData data);

// One running transition; owned by its value.
struct Tween {
  ValueData start;
  ValueData target;
  float elapsed = 0;   // seconds run so far
  float duration = 0;  // seconds, above 0
};

struct Value {
  int32_t index = 0;
  const char* name = nullptr;  // static, not owned
  ValueType type = ValueType::Bool;
  ValueData current;                 // as last written; the target of a running tween
  std::unique_ptr<Tween> tween;      // null when none runs
  ValueUpdater updater = nullptr;    // game-state refresh
  ValueKind kind = ValueKind::GameState;
  int32_t conditionRefs = 0;         // conditions naming it; written by SetConditionRefs
  ValueReadBack readBack = nullptr;  // reads the host's live value
  ValueApply apply = nullptr;        // writes a value to the host
  ValueData base;                    // what Reset returns to
  bool applyPending = false;
  bool baseCaptured = false;         // base came from the host through readBack
};

Tween MakeTween(const ValueData& start, const ValueData& target, float duration);
Tween RetargetTween(const Tween& old, const ValueData& target, float duration);

// The tween's present position: a Float moves, any other type keeps its start.
ValueData TweenPosition(const Tween& tween);

// The effective value seen in place: its text (String only) stays owned by the value.
struct ValueReading {
  uint32_t payload = 0;
  bool isSet = false;
  ValueType type = ValueType::Bool;
  const std::string* text = nullptr;  // never null

  bool Is(ValueType wanted) const { return isSet && type == wanted; }
};

// Effective value: the tween's position when asked and one runs, else current, else base.
ValueData GetValue(ValueRegistry& registry, Value& value, bool includeTween);
// What GetValue would answer, changing nothing: a base not yet captured is read from the host
// but not kept. For inspection (tools), which must not change what the plug-in later does.
ValueData PeekValue(ValueRegistry& registry, const Value& value, bool includeTween);
// Takes the host's value once, as base (and as current while current is unset).
void CaptureBase(ValueRegistry& registry, Value& value);
// Per-frame step: advances the tween and runs a pending apply.
void TickValue(ValueRegistry& registry, Value& value, float dt);

inline ValueReading InPlace(const ValueData& data) {
  return {data.payload, data.isSet, data.type, &data.text};
}
// The present position of a running tween, as a reading.
ValueReading TweenReading(const Tween& tween);

// GetValue(registry, value, true) without a copy; valid until the value changes. Inline: the
// frame reads its settings and conditions through it.
inline ValueReading ReadValue(ValueRegistry& registry, Value& value) {
  if (!value.base.isSet && value.readBack) CaptureBase(registry, value);
  if (value.tween) return TweenReading(*value.tween);
  return InPlace(value.current.isSet || !value.base.isSet ? value.current : value.base);
}
