// libFuzzer target: the literal readers against the C library's conversions. The only
// disagreements allowed are the documented ones: the empty text reads as 0; the two 32-bit
// extremes are refused; a float too large is refused rather than made infinite, one too small
// may read as 0; hexadecimal floats, "inf" and "nan" are refused.
#include <bit>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/literals.h"

namespace {

void Fail(const char* type, const std::string& text, const char* what) {
  std::fprintf(stderr, "fuzz_literals: %s \"%s\": %s\n", type, text.c_str(), what);
  std::abort();
}

// Characters of decimal notation, and the white space both readers skip.
bool IsDecimalNotation(const std::string& text) {
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && !std::isspace(static_cast<unsigned char>(c)) &&
        c != '+' && c != '-' && c != '.' && c != 'e' && c != 'E') {
      return false;
    }
  }
  return true;
}

void CheckInt(const std::string& text) {
  const ValueData parsed = ParseValueText(ValueType::Int, text);
  if (text.empty()) {
    if (!parsed.isSet || parsed.AsInt() != 0) Fail("Int", text, "the empty text must read as 0");
    return;
  }
  char* end = nullptr;
  errno = 0;
  const long long oracle = std::strtoll(text.c_str(), &end, 0);
  const bool accepted = end == text.c_str() + text.size() && errno == 0 &&
                        oracle > INT32_MIN && oracle < INT32_MAX;
  if (parsed.isSet != accepted) Fail("Int", text, accepted ? "refused" : "accepted");
  if (accepted && parsed.AsInt() != oracle) Fail("Int", text, "another number");
}

void CheckFloat(const std::string& text) {
  const ValueData parsed = ParseValueText(ValueType::Float, text);
  if (text.empty()) {
    if (!parsed.isSet || parsed.AsFloat() != 0) Fail("Float", text, "the empty text must read as 0");
    return;
  }
  char* end = nullptr;
  errno = 0;
  const float oracle = std::strtof(text.c_str(), &end);
  const bool outOfRange = errno == ERANGE;
  const bool whole = end == text.c_str() + text.size();
  const bool accepted = whole && IsDecimalNotation(text) && !std::isinf(oracle);
  if (parsed.isSet != accepted) Fail("Float", text, accepted ? "refused" : "accepted");
  if (!accepted) return;
  if (!std::isfinite(parsed.AsFloat())) Fail("Float", text, "not finite");
  const bool same = parsed.payload == std::bit_cast<uint32_t>(oracle);
  if (!same && !(outOfRange && parsed.AsFloat() == 0)) Fail("Float", text, "another number");
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

void CheckBool(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\n\v\f\r");
  const size_t last = text.find_last_not_of(" \t\n\v\f\r");
  const std::string word = first == std::string::npos ? "" : Lower(text.substr(first, last - first + 1));
  const bool isTrue = word == "true" || word == "1" || word == "yes";
  const bool isFalse = word == "false" || word == "0" || word == "no";
  const ValueData parsed = ParseValueText(ValueType::Bool, text);
  if (parsed.isSet != (isTrue || isFalse)) Fail("Bool", text, parsed.isSet ? "accepted" : "refused");
  if (parsed.isSet && parsed.AsBool() != isTrue) Fail("Bool", text, "the other truth");
}

void CheckString(const std::string& text) {
  const ValueData parsed = ParseValueText(ValueType::String, text);
  if (!parsed.isSet || parsed.text != text) Fail("String", text, "not taken unchanged");
  if (ParseValueText(ValueType::Unknown, text).isSet) Fail("Unknown", text, "set");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckInt(text);
  CheckFloat(text);
  CheckBool(text);
  CheckString(text);
  return 0;
}
