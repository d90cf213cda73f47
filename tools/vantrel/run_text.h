#pragma once
// How scenario checks and traces write numbers of a run.

#include <cstdint>
#include <string>

inline const char* BoolText(bool on) { return on ? "true" : "false"; }
std::string VectorText(const float v[3]);  // (1.000, 2.000, 3.000)
std::string HexText(uint32_t v);           // 0x14
