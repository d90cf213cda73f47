#pragma once
// ASCII text helpers shared by the parsers and the evaluators. Character classes are plain
// ASCII on single bytes: a byte above 127 is neither white space nor a letter or digit.

#include <string>
#include <string_view>

// Inline: the parsers ask once per character.
inline bool IsBlank(char c) {  // space, tab, LF, VT, FF, CR
  return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool IsAlnum(char c) {  // A-Z, a-z, 0-9
  const char upper = static_cast<char>(c & ~0x20);
  return (upper >= 'A' && upper <= 'Z') || (c >= '0' && c <= '9');
}
// Letters and digits at the start.
inline size_t AlnumPrefixLength(std::string_view text) {
  size_t length = 0;
  while (length < text.size() && IsAlnum(text[length])) ++length;
  return length;
}
inline std::string_view TrimLeft(std::string_view text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return text.substr(first);
}
inline std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}
// The comparisons ignore ASCII case only.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// Equal once `text` (not `word`) is trimmed of blanks.
bool TrimmedEqualIgnoringCase(std::string_view text, std::string_view word);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);
// Equal texts ignoring case hash equal; every character counts.
size_t HashIgnoringCase(std::string_view text);
