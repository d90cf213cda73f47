#pragma once
// The value registry: the 73 values of one configuration load, by index.

#include <bit>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/host.h"
#include "values/frame_context.h"
#include "values/value.h"
#include "values/value_ids.h"
#include "values/value_or.h"

class CameraLink;

// Values saved before a profile changed them, by value index.
using SavedValues = std::unordered_map<int32_t, ValueData>;

struct ValueRegistry {
  std::vector<std::unique_ptr<Value>> values;  // by value index; a slot may be null
  SavedValues* recording = nullptr;  // where SetValue saves the values it changes, or null
  bool captureDefaults = false;      // a load's default commands set the bases of settings
  CameraLink* camera = nullptr;      // the camera the camera-linked values reach, or null
  // One bit per value index: a tween runs or an apply is pending. Only these are ticked.
  std::vector<uint64_t> ticking;
  // One bit per value index: some condition names the value. Only these are refreshed.
  std::vector<uint64_t> watched;

  ValueRegistry();  // registers all 73 values
  ValueRegistry(const ValueRegistry&) = delete;
  ValueRegistry& operator=(const ValueRegistry&) = delete;
};

// The facts a pass of the game-state updaters reads besides the game itself: the frame's,
// and the session's own.
struct UpdateInput {
  FrameContext frame;
  bool mounting = false;  // the mount and dismount windows are open
  bool dismounting = false;
  const CameraLink* camera = nullptr;  // the reference asked for (bIsTargetOverwritten)
};

void RegisterValue(ValueRegistry& registry, int32_t index, const char* name, ValueKind kind,
                   ValueUpdater updater, ValueReadBack readBack, ValueApply apply);
Value* FindValue(ValueRegistry& registry, std::string_view name);
// Null for a bad index or a null slot.
inline Value* ValueAt(ValueRegistry& registry, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= registry.values.size()) return nullptr;
  return registry.values[index].get();
}
void SetValue(ValueRegistry& registry, int32_t index, const ValueData& data, float tweenSeconds);
void ResetValue(ValueRegistry& registry, int32_t index, float tweenSeconds);
void TickValues(ValueRegistry& registry, float dt);
// How many parsed conditions name the value; the only writer of Value::conditionRefs, as it
// keeps the set of values that RunUpdaters refreshes.
void SetConditionRefs(ValueRegistry& registry, int32_t index, int32_t count);
// One pass over the values some condition names; the hands are classified afresh.
void RunUpdaters(ValueRegistry& registry, const UpdateInput& input);

// The effective value of a slot, seen in place, when it is set and of exactly the wanted type.
[[nodiscard]] inline bool ReadTyped(ValueRegistry& registry, int32_t index, ValueType type,
                                    ValueReading& out) {
  Value* value = ValueAt(registry, index);
  if (!value) return false;
  const ValueReading reading = ReadValue(registry, *value);
  if (!reading.Is(type)) return false;
  out = reading;
  return true;
}

// Typed reads of the effective value; out is written only on success. Inline: the camera reads
// a dozen settings a frame.
[[nodiscard]] inline bool GetFloat(ValueRegistry& registry, int32_t index, float& out) {
  ValueReading reading;
  if (!ReadTyped(registry, index, ValueType::Float, reading)) return false;
  out = std::bit_cast<float>(reading.payload);
  return true;
}
[[nodiscard]] inline bool GetInt(ValueRegistry& registry, int32_t index, int32_t& out) {
  ValueReading reading;
  if (!ReadTyped(registry, index, ValueType::Int, reading)) return false;
  out = static_cast<int32_t>(reading.payload);
  return true;
}
[[nodiscard]] inline bool GetBool(ValueRegistry& registry, int32_t index, bool& out) {
  ValueReading reading;
  if (!ReadTyped(registry, index, ValueType::Bool, reading)) return false;
  out = reading.payload != 0;
  return true;
}
[[nodiscard]] bool GetString(ValueRegistry& registry, int32_t index, std::string& out);

// Flips a Bool value; an unset one counts as off.
void ToggleBool(ValueRegistry& registry, int32_t index);

// Reload hand-over: the new registry takes the host-captured bases of the old one.
void CarryOverCapturedBases(const ValueRegistry& from, ValueRegistry& to);
