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

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsAlnum(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

size_t AlnumPrefixLength(std::string_view text) {
  size_t length = 0;
  while (length < text.size() && IsAlnum(text[length])) ++length;
  return length;
}

std::string_view TrimLeft(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return text.substr(first);
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
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
