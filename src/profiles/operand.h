#pragma once
// A record's operand: what a ValueData holds, with its text kept in the pool of the session
// that holds the record instead of in the record. Copies share the text.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

#include "base/text_pool.h"
#include "values/value_data.h"

struct Operand {
  // A constructor, not member initializers: GCC 12 refuses `{}` for a class whose enum
  // bit-field has one.
  Operand() : type(ValueType::Bool) {}

  const char* chars = "";  // String text, NUL-terminated; "" for the other types
  uint32_t payload = 0;    // as in ValueData
  uint16_t length = 0;     // a configuration line is far shorter
  ValueType type : 8;
  bool isSet = false;

  static Operand Int(int32_t number) { return Of(ValueType::Int, static_cast<uint32_t>(number)); }
  // `text` must stay put as long as the operand is used: a pool's text or a literal.
  static Operand String(std::string_view text) {
    Operand operand = Of(ValueType::String, 0);
    if (!text.empty()) operand.chars = text.data();
    operand.length = static_cast<uint16_t>(std::min<size_t>(text.size(), UINT16_MAX));
    return operand;
  }

  std::string_view Text() const { return {chars, length}; }
  bool AsBool() const { return payload != 0; }
  int32_t AsInt() const { return static_cast<int32_t>(payload); }
  float AsFloat() const { return std::bit_cast<float>(payload); }
  ValueData ToValueData() const { return {payload, isSet, type, std::string(Text())}; }

 private:
  static Operand Of(ValueType type, uint32_t payload) {
    Operand operand;
    operand.type = type;
    operand.payload = payload;
    operand.isSet = true;
    return operand;
  }
};

// `data` as an operand whose text is kept in `pool`.
inline Operand KeepOperand(TextPool& pool, const ValueData& data) {
  Operand operand = Operand::String(pool.Keep(data.text));
  operand.payload = data.payload;
  operand.type = data.type;
  operand.isSet = data.isSet;
  return operand;
}
