#include "base/text.h"

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;  // names are mostly written as in the tables
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

bool TrimmedEqualIgnoringCase(std::string_view text, std::string_view word) {
  return EqualIgnoringCase(Trim(text), word);
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  if (part.empty()) return true;
  if (text.size() < part.size()) return false;
  const char first = UpperAscii(part[0]);
  for (size_t start = 0; start + part.size() <= text.size(); ++start) {
    if (UpperAscii(text[start]) != first) continue;  // most places fail on their first letter
    size_t i = 1;
    while (i < part.size() && UpperAscii(text[start + i]) == UpperAscii(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}
