#pragma once
// Exact-length name comparison for profile and keyword names, which are matched without trimming.

#include <string_view>

#include "config/text.h"

inline bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoreCase(a, b);
}
