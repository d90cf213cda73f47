#pragma once
// The fixed table of the 73 values: name, kind and callbacks, one row per index.

#include <array>
#include <cstdint>

#include "values/value.h"
#include "values/value_ids.h"

struct ValueTableRow {
  int32_t index;
  const char* name;
  ValueKind kind;
  ValueUpdater updater;    // GameState rows only
  ValueReadBack readBack;  // the Settings that mirror a host setting
  ValueApply apply;
};

extern const std::array<ValueTableRow, Vid::Count> kValueTable;
