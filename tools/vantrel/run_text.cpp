// How scenario checks and traces write a run's numbers.

#include "run_text.h"

#include <cstdio>

std::string VectorText(const float v[3]) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "(%.3f, %.3f, %.3f)", static_cast<double>(v[0]),
                static_cast<double>(v[1]), static_cast<double>(v[2]));
  return buffer;
}

std::string HexText(uint32_t v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", v);
  return buffer;
}
