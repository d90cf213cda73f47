#pragma once
// What `simulate --trace` and `--plot` can follow besides the values: the plug-in's camera and
// what the simulated game did at the hooks. The trace's columns, the plot's lanes and the trace
// table of the documents all come from this one table.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game_side.h"

constexpr size_t kMaxTraceColumns = 9;

struct TraceSource {
  const char* name;
  const char* columns;  // the columns' suffixes, comma-separated ("x,y,z"); "" for one column
  const char* usage;
  // One number per column; NaN where there is none (an empty cell, a gap in a lane).
  void (*read)(const GameSide& game, double* out);
};

std::span<const TraceSource> TraceSources();
const TraceSource* FindTraceSource(std::string_view name);  // null for another name
// The columns' names: "look.x", "look.y"; the name itself for one column.
std::vector<std::string> TraceColumnNames(const TraceSource& source);
