#include "values/registry.h"

#include <algorithm>

#include "config/loader.h"
#include "config/name_index.h"
#include "config/text.h"
#include "profiles/key_bindings.h"
#include "profiles/profile.h"
#include "values/value_table.h"

ValueRegistry* currentRegistry = nullptr;
std::recursive_mutex pluginMutex;

namespace {

void RegisterValueIn(ValueRegistry& registry, int32_t index, const char* name, ValueKind kind,
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
}

}  // namespace

ValueRegistry::ValueRegistry() {
  for (const ValueTableRow& row : kValueTable) {
    RegisterValueIn(*this, row.index, row.name, row.kind, row.updater, row.readBack, row.apply);
  }
}

ValueRegistry::~ValueRegistry() {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  values.clear();
  profiles.clear();
}

void RegisterValue(int32_t index, const char* name, ValueKind kind, ValueUpdater updater,
                   ValueReadBack readBack, ValueApply apply) {
  if (currentRegistry)
    RegisterValueIn(*currentRegistry, index, name, kind, updater, readBack, apply);
}

Value* FindValue(std::string_view name) {
  if (!currentRegistry) return nullptr;
  static const NameIndex tableNames = [] {
    std::vector<const char*> names;
    for (const ValueTableRow& row : kValueTable) names.push_back(row.name);
    return NameIndex(names);
  }();
  // Every registry registers the fixed table, so the table's index is the answer; a registry
  // holding other names (built by hand) is searched in index order.
  const int32_t row = tableNames.Find(name);
  if (Value* value = ValueAt(row)) {
    // The table's own name string needs no second comparison.
    if (value->name == kValueTable[row].name || SameNameIgnoringCase(name, value->name)) {
      return value;
    }
  }
  for (const auto& value : currentRegistry->values) {
    if (value && SameNameIgnoringCase(name, value->name)) return value.get();
  }
  return nullptr;
}

Value* ValueAt(int32_t index) {
  if (!currentRegistry || index < 0) return nullptr;
  if (static_cast<size_t>(index) >= currentRegistry->values.size()) return nullptr;
  return currentRegistry->values[index].get();
}

void SetValue(int32_t index, const ValueData& data, float tweenSeconds) {
  Value* value = ValueAt(index);
  if (!value || data.type != value->type || value->kind == ValueKind::GameState) return;
  CaptureBase(*value);
  if (Profile* recording = currentRegistry->recordingProfile) {
    recording->savedValues.insert_or_assign(index, value->current);
  }
  if (tweenSeconds > 0 && data.isSet) {
    if (value->tween) {
      value->tween = std::make_unique<Tween>(RetargetTween(*value->tween, data, tweenSeconds));
    } else {
      // A tween starts from the host's live value where there is one.
      ValueData start = value->readBack ? value->readBack() : value->current;
      if (start.isSet) {
        value->tween = std::make_unique<Tween>(MakeTween(start, data, tweenSeconds));
      } else {
        value->applyPending = 1;
      }
    }
  } else {
    value->applyPending = 1;  // a running tween goes on towards its target
  }
  value->current = data;
  if (currentRegistry->captureDefaults == 1 && value->kind == ValueKind::Setting &&
      !value->base.isSet) {
    value->base = data;
  }
}

void ResetValue(int32_t index, float tweenSeconds) {
  Value* value = ValueAt(index);
  if (!value || value->kind != ValueKind::Setting) return;
  CaptureBase(*value);
  if (!value->base.isSet) return;  // never captured nor defaulted
  if (tweenSeconds > 0) {
    if (value->tween) {
      value->tween =
          std::make_unique<Tween>(RetargetTween(*value->tween, value->base, tweenSeconds));
    } else if (value->current.isSet) {
      value->tween = std::make_unique<Tween>(MakeTween(value->current, value->base, tweenSeconds));
    } else {
      value->applyPending = 1;
    }
  } else {
    value->applyPending = 1;
  }
  value->current = value->base;
}

void TickValues(float dt) {
  if (!currentRegistry) return;
  // By index: an apply callback may read other values of the registry.
  for (size_t i = 0; i < currentRegistry->values.size(); ++i) {
    if (Value* value = currentRegistry->values[i].get()) TickValue(*value, dt);
  }
}

void RunUpdaters() {
  ValueRegistry* registry = currentRegistry;
  if (!registry) return;
  for (size_t i = 0; i < registry->values.size(); ++i) {
    Value* value = registry->values[i].get();
    if (value && value->conditionRefs > 0 && value->updater) {
      value->updater(registry->actor, registry->actorAsCharacter, value);
    }
  }
}

namespace {

// The effective value of a slot when it is set and of exactly the wanted type.
bool ReadTyped(int32_t index, ValueType type, ValueData& out) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  Value* value = ValueAt(index);
  if (!value) return false;
  ValueData data = GetValue(*value, true);
  if (!data.isSet || data.type != type) return false;
  out = std::move(data);
  return true;
}

}  // namespace

bool GetFloat(int32_t index, float& out) {
  ValueData data;
  if (!ReadTyped(index, ValueType::Float, data)) return false;
  out = data.AsFloat();
  return true;
}

bool GetInt(int32_t index, int32_t& out) {
  ValueData data;
  if (!ReadTyped(index, ValueType::Int, data)) return false;
  out = data.AsInt();
  return true;
}

bool GetBool(int32_t index, bool& out) {
  ValueData data;
  if (!ReadTyped(index, ValueType::Bool, data)) return false;
  out = data.AsBool();
  return true;
}

bool GetString(int32_t index, std::string& out) {
  ValueData data;
  if (!ReadTyped(index, ValueType::String, data)) return false;
  out = std::move(data.text);
  return true;
}

void CarryOverCapturedBases(const ValueRegistry& from, ValueRegistry& to) {
  const size_t count = std::min(from.values.size(), to.values.size());
  for (size_t i = 0; i < count; ++i) {
    const Value* old = from.values[i].get();
    Value* fresh = to.values[i].get();
    if (!old || !fresh || !old->base.isSet || !old->baseCaptured || fresh->base.isSet) continue;
    fresh->base = old->base;
    // Still the host's own value, so it is handed on again at the next reload.
    fresh->baseCaptured = 1;
  }
}
