// Why a text does not read as a value of a type, and the text probably meant.

#include "lint_reading.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/text.h"
#include "config/literals.h"

namespace {

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool Reads(ValueType type, std::string_view text) { return ParseValueText(type, text).isSet; }

// Words people write for true and false that the game does not know.
struct BoolWord {
  const char* word;
  const char* meant;
};
constexpr BoolWord kBoolWords[] = {
    {"on", "true"}, {"off", "false"}, {"enabled", "true"}, {"disabled", "false"},
};

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal number written with a leading zero ("08", "-009"): the game reads it as octal.
bool LeadingZeroDecimal(std::string_view text, std::string& meant) {
  std::string_view sign;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    sign = text.substr(0, 1);
    text.remove_prefix(1);
  }
  if (text.size() < 2 || text.front() != '0' || !IsDigits(text)) return false;
  const size_t first = text.find_first_not_of('0');
  meant = std::string(sign) + std::string(first == std::string_view::npos ? "0" : text.substr(first));
  return true;
}

// Hexadecimal, octal or decimal digits that the Int rule would take but for the size.
bool TooLarge(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  } else if (digits.size() > 1 && digits[0] == '0') {
    base = 8;
  }
  if (digits.empty()) return false;
  for (const char c : digits) {
    const int value = (c >= '0' && c <= '9')   ? c - '0'
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                               : 99;
    if (value >= base) return false;
  }
  return true;  // well formed, so refused only for its size
}

Unreadable WhyNotBool(std::string_view text) {
  const std::string_view word = Trim(text);
  for (const BoolWord& known : kBoolWords) {
    if (EqualIgnoringCase(word, known.word)) {
      return {"the game reads true, yes, 1, false, no or 0", known.meant, true};
    }
  }
  return {"the game reads true, yes, 1, false, no or 0", "", false};
}

Unreadable WhyNotInt(std::string_view text) {
  std::string meant;
  if (LeadingZeroDecimal(text, meant)) {
    return {"it starts with 0, so it is octal, where 8 and 9 are no digits", meant, true};
  }
  if (TooLarge(text)) {
    return {"it lies beyond -2147483647 to 2147483646, the whole numbers the game reads", "",
            false};
  }
  if (Reads(ValueType::Float, text)) return {"it is not whole", "", false};
  return {"the game reads decimal, 0x hexadecimal, or octal with a leading 0", "", false};
}

Unreadable WhyNotFloat(std::string_view text) {
  const size_t comma = text.find(',');
  if (comma != std::string_view::npos && text.find(',', comma + 1) == std::string_view::npos) {
    std::string meant(text);
    meant[comma] = '.';
    if (Reads(ValueType::Float, meant)) {
      return {"the game reads a decimal point, not a comma", meant, true};
    }
  }
  const ValueData asInt = ParseValueText(ValueType::Int, text);
  if (asInt.isSet && text.find_first_of("xX") != std::string_view::npos) {
    return {"the game reads it in decimal notation only", std::to_string(asInt.AsInt()), true};
  }
  for (const std::string_view unit : {"s", "sec", "seconds"}) {
    if (text.size() > unit.size() && EqualIgnoringCase(text.substr(text.size() - unit.size()), unit) &&
        Reads(ValueType::Float, Trim(text.substr(0, text.size() - unit.size())))) {
      return {"the game reads the number without a unit",
              std::string(Trim(text.substr(0, text.size() - unit.size()))), true};
    }
  }
  return {"the game reads decimal notation only", "", false};
}

}  // namespace

const char* TypeWords(ValueType type) {
  switch (type) {
    case ValueType::Bool:
      return "true or false";
    case ValueType::Int:
      return "whole number";
    case ValueType::Float:
      return "number";
    case ValueType::String:
      return "text";
    default:
      return "unknown";
  }
}

std::string DoesNotRead(std::string_view text, ValueType type) {
  return Quoted(text) + " does not read as " +
         (type == ValueType::Bool ? "true or false" : std::string("a ") + TypeWords(type));
}

Unreadable WhyUnreadable(ValueType type, std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.size() != text.size() && Reads(type, trimmed)) {
    return {"the blank after " + Quoted(trimmed) + " is part of it", std::string(trimmed), true};
  }
  switch (type) {
    case ValueType::Bool:
      return WhyNotBool(text);
    case ValueType::Int:
      return WhyNotInt(text);
    case ValueType::Float:
      return WhyNotFloat(text);
    default:
      return {"", "", false};
  }
}
