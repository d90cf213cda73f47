#pragma once
// What `vantrel lint` has to say about a configuration, as the command line prints it and the
// language server shows it.
//
// Positions are in the editor's terms: `line` counts the file's lines from 1, a line ending at
// LF (a CR before the LF belongs to the line end); `column` counts the bytes of that line from 1
// and `endColumn` is the first byte after the range. Columns are bytes, not characters: a
// UTF-8 character beyond ASCII spans several columns, so a client that counts UTF-16 code units
// converts with the line's text. Where the game numbers the line differently (a line longer
// than 1,022 characters reaches it as several lines), `gameLine` holds the game's number and the
// message says why; otherwise it is 0. In a file that begins with a UTF-8 byte-order mark,
// which editors do not show, line 1's columns count from after the mark, and the mark itself is
// column 0: the fix that removes it is the edit [1:0, 1:1), which only a client that writes the
// file's bytes can make (an editor saves the file without the mark instead).

#include <cstdint>
#include <string>
#include <vector>

enum class Severity { Error, Warning };

const char* SeverityName(Severity severity);

// [line:column, endLine:endColumn) becomes newText; positions as above, endLine may be later.
struct TextEdit {
  int32_t line = 0;
  int32_t column = 0;
  int32_t endLine = 0;
  int32_t endColumn = 0;
  std::string newText;
};

struct Fix {
  std::string title;     // what it does: "replace 'on' with 'true'"
  bool certain = false;  // true: the intent is clear and `--fix` applies it; false: a suggestion
  std::vector<TextEdit> edits;
};

// Another place a finding speaks of ("shadowed by line 12").
struct RelatedLocation {
  int32_t line = 0;
  int32_t column = 0;
  int32_t endColumn = 0;
  std::string message;
};

struct Finding {
  std::string rule;  // "load", "never-holds", ...: `vantrel help RULE` explains it
  Severity severity = Severity::Warning;
  std::string message;
  int32_t line = 0;
  int32_t column = 0;
  int32_t endColumn = 0;
  int32_t gameLine = 0;     // the game's line number where it differs from `line`, else 0
  std::string suggestion;   // the name probably meant, for "did you mean"; empty when none
  std::vector<RelatedLocation> related;
  std::vector<Fix> fixes;   // certain fixes first
};
