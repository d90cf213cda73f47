// The literal rules: configuration text to a Bool, Int, Float or String value.

#include "config/literals.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "base/text.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads an optional "+" or "-" at pos; true when it was "-".
bool ReadSign(std::string_view text, size_t& pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) return text[pos++] == '-';
  return false;
}

constexpr std::string_view kTrueWords[] = {"true", "1", "yes"};
constexpr std::string_view kFalseWords[] = {"false", "0", "no"};

ValueData ParseBool(std::string_view text) {
  text = Trim(text);
  for (const std::string_view word : kTrueWords) {
    if (EqualIgnoringCase(text, word)) return ValueData::Bool(true);
  }
  for (const std::string_view word : kFalseWords) {
    if (EqualIgnoringCase(text, word)) return ValueData::Bool(false);
  }
  return ValueData::Unset(ValueType::Bool);
}

// Sign, then "0x" and hex digits, "0" and octal digits, or decimal digits; nothing after.
// The two 32-bit extremes count as overflow and are refused like anything beyond them.
ValueData ParseInt(std::string_view text) {
  const ValueData refused = ValueData::Unset(ValueType::Int);
  if (text.empty()) return ValueData::Int(0);
  size_t pos = TrimLeft(text).data() - text.data();
  const bool negative = ReadSign(text, pos);
  if (pos >= text.size() || !IsDigit(text[pos])) return refused;

  int base = 10;
  if (text[pos] == '0') {
    base = 8;
    ++pos;
    if (pos < text.size() && (text[pos] == 'x' || text[pos] == 'X')) {
      base = 16;
      ++pos;
      if (pos >= text.size() || HexDigitValue(text[pos]) < 0) return refused;
    }
  }

  constexpr uint64_t kLimit = 2147483648u;  // first magnitude refused on either side
  uint64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = HexDigitValue(text[pos]);
    if (digit < 0 || digit >= base) return refused;
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) magnitude = kLimit;  // saturate: already refused
  }
  const uint64_t largest = negative ? kLimit - 1 : kLimit - 2;
  if (magnitude > largest) return refused;
  const int64_t number =
      negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return ValueData::Int(static_cast<int32_t>(number));
}

constexpr size_t kShortDigits = 7;  // 9,999,999 < 2^24
constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};

// The quick way for the numbers configurations are made of ("0.5", "75", "-12.25"), kept apart
// from the general one: from_chars and the over- and underflow checks around it cost several
// times more, and a large file holds thousands of such numbers. Digits with at most one point,
// seven digits at most, nothing after them: the digits as a whole number and the power of ten
// are exact floats, so one division gives the nearest float, as from_chars does. Anything else
// answers nullopt and takes the general way.
std::optional<float> ShortDecimal(std::string_view text, size_t pos) {
  uint32_t number = 0;
  size_t digits = 0;
  int fractionDigits = 0;
  bool point = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c) || digits == kShortDigits) return std::nullopt;
    number = number * 10 + (c - '0');
    ++digits;
    if (point) ++fractionDigits;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<float>(number) / kPowersOfTen[fractionDigits];
}

// Decimal notation only: no hex floats, no "inf" or "nan". A value too large for a float is
// refused rather than turned into infinity; one too small becomes zero.
ValueData ParseFloat(std::string_view text) {
  const ValueData refused = ValueData::Unset(ValueType::Float);
  if (text.empty()) return ValueData::Float(0.0f);
  size_t pos = TrimLeft(text).data() - text.data();
  const bool negative = ReadSign(text, pos);
  if (const std::optional<float> number = ShortDecimal(text, pos)) {
    return ValueData::Float(negative ? -*number : *number);
  }
  const size_t numberStart = pos;

  // Decimal order of the first non-zero digit, to tell underflow from overflow.
  int64_t order = 0;
  bool nonZeroSeen = false;
  size_t digits = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits) {
    if (nonZeroSeen) {
      ++order;
    } else if (text[pos] != '0') {
      nonZeroSeen = true;
    }
  }
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits) {
      if (!nonZeroSeen) {
        --order;
        nonZeroSeen = text[pos] != '0';
      }
    }
  }
  if (digits == 0) return refused;

  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    const bool negativeExponent = ReadSign(text, pos);
    if (pos >= text.size() || !IsDigit(text[pos])) return refused;
    int64_t exponent = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
      if (exponent < 1000000) exponent = exponent * 10 + (text[pos] - '0');
    }
    order += negativeExponent ? -exponent : exponent;
  }
  if (pos != text.size()) return refused;

  float number = 0.0f;
  const char* first = text.data() + numberStart;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), number);
  if (error == std::errc::result_out_of_range && order < 0) {
    number = 0.0f;
  } else if (error != std::errc() || end != text.data() + text.size()) {
    return refused;
  }
  return ValueData::Float(negative ? -number : number);
}

}  // namespace

ValueData ParseValueText(ValueType type, std::string_view text) {
  switch (type) {
    case ValueType::Bool:
      return ParseBool(text);
    case ValueType::Int:
      return ParseInt(text);
    case ValueType::Float:
      return ParseFloat(text);
    case ValueType::String:
      return ValueData{0, true, ValueType::String, std::string(text)};
    case ValueType::Unknown:
      break;
  }
  return ValueData::Unset(type);
}
