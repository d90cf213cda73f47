#pragma once
// The fixed table of the 73 values: name, kind, callbacks and what the reference says about each,
// one row per index.

#include <array>
#include <cstdint>

#include "values/value.h"
#include "values/value_ids.h"

// A value's entry in the reference (`vantrel help`, docs/configuration.md).
struct ValueHelp {
  const char* group;      // heading it is listed under
  const char* initially;  // Settings: what readers get before any command sets it; null for game state
  const char* text;       // what it mirrors or does, with its unit and range
};

struct ValueTableRow {
  int32_t index;
  const char* name;
  ValueKind kind;
  ValueUpdater updater;    // GameState rows only
  ValueReadBack readBack;  // the Settings that mirror a host setting
  ValueApply apply;
  ValueHelp help;
};

extern const std::array<ValueTableRow, Vid::Count> kValueTable;
