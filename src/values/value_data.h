#pragma once
// The tagged value: what a value holds, what a condition compares with, what a command sets.

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

enum class ValueType : int32_t { Bool = 0, Int = 1, Float = 2, String = 3, Unknown = 4 };

enum class ValueKind : uint8_t { GameState = 0, Setting = 1 };

struct ValueData {
  uint32_t payload = 0;  // Bool: 0 or 1; Int: signed 32-bit; Float: IEEE single bits
  bool isSet = false;    // false: holds nothing, payload and text are meaningless
  ValueType type = ValueType::Bool;
  std::string text;      // String content; empty for the other types

  static ValueData Bool(bool flag, bool isSet = true) {
    return {flag ? 1u : 0u, isSet, ValueType::Bool, {}};
  }
  static ValueData Int(int32_t number, bool isSet = true) {
    return {static_cast<uint32_t>(number), isSet, ValueType::Int, {}};
  }
  static ValueData Float(float number, bool isSet = true) {
    return {std::bit_cast<uint32_t>(number), isSet, ValueType::Float, {}};
  }
  static ValueData String(const char* chars, bool isSet = true) {
    return {0, isSet, ValueType::String, chars ? chars : ""};
  }
  // Holds nothing, of the given type.
  static ValueData Unset(ValueType type) { return {0, false, type, {}}; }

  bool AsBool() const { return payload != 0; }
  int32_t AsInt() const { return static_cast<int32_t>(payload); }
  float AsFloat() const { return std::bit_cast<float>(payload); }
  // A set Float that is neither infinite nor NaN: the only kind the game may be given.
  bool IsFiniteFloat() const { return isSet && type == ValueType::Float && std::isfinite(AsFloat()); }
};

// The type a value name stands for, from its first letter.
ValueType TypeFromName(const char* name);
