// The value registry: registering, setting, resetting, ticking and refreshing the 73 values.

#include "values/registry.h"

#include <algorithm>
#include <bit>

#include "base/name_index.h"
#include "base/text.h"
#include "values/hands.h"
#include "values/value_table.h"

namespace {

// Bit sets by value index; callers pass a valid (non-negative) index.
void SetBit(std::vector<uint64_t>& bits, int32_t index) {
  const size_t word = static_cast<size_t>(index) / 64;
  if (bits.size() <= word) bits.resize(word + 1);
  bits[word] |= uint64_t{1} << (index % 64);
}

void ClearBit(std::vector<uint64_t>& bits, int32_t index) {
  const size_t word = static_cast<size_t>(index) / 64;
  if (word < bits.size()) bits[word] &= ~(uint64_t{1} << (index % 64));
}

void MarkTicking(ValueRegistry& registry, int32_t index) { SetBit(registry.ticking, index); }

}  // namespace

void RegisterValue(ValueRegistry& registry, int32_t index, const char* name, ValueKind kind,
                     ValueUpdater updater, ValueReadBack readBack, ValueApply apply) {
  if (index < 0) return;
  auto value = std::make_unique<Value>();
  value->index = index;
  value->name = name;
  value->type = TypeFromName(name);
  value->kind = kind;
  value->updater = updater;
  value->readBack = readBack;
  value->apply = apply;
  const size_t slot = static_cast<size_t>(index);
  if (registry.values.size() <= slot) registry.values.resize(slot + 1);  // no int32 overflow
  registry.values[slot] = std::move(value);
  ClearBit(registry.watched, index);  // a fresh record is named by no condition
}

ValueRegistry::ValueRegistry() {
  for (const ValueTableRow& row : kValueTable) {
    RegisterValue(*this, row.index, row.name, row.kind, row.updater, row.readBack, row.apply);
  }
}

Value* FindValue(ValueRegistry& registry, std::string_view name) {
  static const NameIndex tableNames = [] {
    std::vector<const char*> names;
    for (const ValueTableRow& row : kValueTable) names.push_back(row.name);
    return NameIndex(names);
  }();
  // Every registry registers the fixed table, so the table's index is the answer; a registry
  // holding other names (built by hand) is searched in index order.
  const int32_t row = tableNames.Find(name);
  if (Value* value = ValueAt(registry, row)) {
    // The table's own name string needs no second comparison.
    if (value->name == kValueTable[row].name || EqualIgnoringCase(name, value->name)) {
      return value;
    }
  }
  for (const auto& value : registry.values) {
    if (value && EqualIgnoringCase(name, value->name)) return value.get();
  }
  return nullptr;
}

void SetValue(ValueRegistry& registry, int32_t index, const ValueData& data, float tweenSeconds) {
  Value* value = ValueAt(registry, index);
  if (!value || data.type != value->type || value->kind == ValueKind::GameState) return;
  CaptureBase(registry, *value);
  if (registry.recording) registry.recording->insert_or_assign(index, value->current);
  if (tweenSeconds > 0 && data.isSet) {
    if (value->tween) {
      value->tween = std::make_unique<Tween>(RetargetTween(*value->tween, data, tweenSeconds));
    } else {
      // A tween starts from the host's live value where there is one.
      ValueData start = value->readBack ? value->readBack(registry) : value->current;
      if (start.isSet) {
        value->tween = std::make_unique<Tween>(MakeTween(start, data, tweenSeconds));
      } else {
        value->applyPending = true;
      }
    }
  } else {
    value->applyPending = true;  // a running tween goes on towards its target
  }
  value->current = data;
  MarkTicking(registry, index);
  if (registry.captureDefaults && value->kind == ValueKind::Setting &&
      !value->base.isSet) {
    value->base = data;
  }
}

void ResetValue(ValueRegistry& registry, int32_t index, float tweenSeconds) {
  Value* value = ValueAt(registry, index);
  if (!value || value->kind != ValueKind::Setting) return;
  CaptureBase(registry, *value);
  if (!value->base.isSet) return;  // never captured nor defaulted
  if (tweenSeconds > 0) {
    if (value->tween) {
      value->tween =
          std::make_unique<Tween>(RetargetTween(*value->tween, value->base, tweenSeconds));
    } else if (value->current.isSet) {
      value->tween = std::make_unique<Tween>(MakeTween(value->current, value->base, tweenSeconds));
    } else {
      value->applyPending = true;
    }
  } else {
    value->applyPending = true;
  }
  value->current = value->base;
  MarkTicking(registry, index);
}

void TickValues(ValueRegistry& registry, float dt) {
  // In index order, as an apply callback may read other values of the registry; the word is
  // read again after each value, so one the callback sets further on still runs this frame.
  for (size_t word = 0; word < registry.ticking.size(); ++word) {
    uint64_t pending = registry.ticking[word];
    while (pending != 0) {
      const int bit = std::countr_zero(pending);
      const size_t index = word * 64 + static_cast<size_t>(bit);
      Value* value = index < registry.values.size() ? registry.values[index].get() : nullptr;
      if (value) TickValue(registry, *value, dt);
      if (!value || (!value->tween && !value->applyPending)) {
        registry.ticking[word] &= ~(uint64_t{1} << bit);
      }
      pending = bit == 63 ? 0 : registry.ticking[word] & (~uint64_t{0} << (bit + 1));
    }
  }
}

void SetConditionRefs(ValueRegistry& registry, int32_t index, int32_t count) {
  Value* value = ValueAt(registry, index);
  if (!value) return;
  value->conditionRefs = count;
  if (count > 0) {
    SetBit(registry.watched, index);
  } else {
    ClearBit(registry.watched, index);
  }
}

void RunUpdaters(ValueRegistry& registry, const UpdateInput& input) {
  handCacheStale = 1;
  // In index order. A bit is only ever set for a slot that exists, and the slots never shrink.
  // An updater writes only its own value, so the set cannot change meanwhile.
  for (size_t word = 0; word < registry.watched.size(); ++word) {
    for (uint64_t bits = registry.watched[word]; bits != 0; bits &= bits - 1) {
      Value* value = registry.values[word * 64 + std::countr_zero(bits)].get();
      if (value && value->updater) value->updater(input, value);
    }
  }
}

bool GetString(ValueRegistry& registry, int32_t index, std::string& out) {
  ValueReading reading;
  if (!ReadTyped(registry, index, ValueType::String, reading)) return false;
  out = *reading.text;
  return true;
}

void ToggleBool(ValueRegistry& registry, int32_t index) {
  Value* value = ValueAt(registry, index);
  if (value == nullptr) return;
  const ValueData now = GetValue(registry, *value, true);
  const bool wasOn = now.isSet && now.type == ValueType::Bool && now.AsBool();
  SetValue(registry, index, ValueData::Bool(!wasOn), 0);
}

void CarryOverCapturedBases(const ValueRegistry& from, ValueRegistry& to) {
  const size_t count = std::min(from.values.size(), to.values.size());
  for (size_t i = 0; i < count; ++i) {
    const Value* old = from.values[i].get();
    Value* fresh = to.values[i].get();
    if (!old || !fresh || !old->base.isSet || !old->baseCaptured || fresh->base.isSet) continue;
    fresh->base = old->base;
    // Still the host's own value, so it is handed on again at the next reload.
    fresh->baseCaptured = true;
  }
}
