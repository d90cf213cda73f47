#pragma once
// ASCII text helpers shared by the parsers and the evaluators. Character classes are plain
// ASCII on single bytes: a byte above 127 is neither white space nor a letter or digit.

#include <string>
#include <string_view>

bool IsBlank(char c);        // space, tab, LF, VT, FF, CR
bool IsAlnum(char c);        // A-Z, a-z, 0-9
size_t AlnumPrefixLength(std::string_view text);  // letters and digits at the start
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
// Trims text (not word) and compares ignoring ASCII case.
bool EqualsIgnoreCase(std::string_view text, std::string_view word);
// Compare ignoring ASCII case without trimming. The second form takes a zero-terminated name
// and stops at the first difference, so searching a table of names measures none of them.
bool SameIgnoringCase(std::string_view a, std::string_view b);
bool SameNameIgnoringCase(std::string_view text, const char* name);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool ContainsIgnoreCase(std::string_view text, std::string_view part);
