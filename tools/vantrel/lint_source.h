#pragma once
// The configuration as the game read it, line by line, and the way back from the texts the
// loader and parsers saw to positions in the editor. Every text here views the file's bytes, so
// a part found by the parser has its place in the file by address.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/command_parser.h"
#include "config/condition_parser.h"
#include "config/loader.h"
#include "finding.h"
#include "lint_lines.h"
#include "profiles/session.h"

class LintSource : public LoadObserver {
 public:
  // `bytes` must outlive the source.
  explicit LintSource(std::string_view bytes);

  void LineRead(int32_t line, std::string_view piece, LineKind kind) override;
  void ProfileBuilt(const Profile& profile) override;

  // A block as the loader built it, in file order (the default block first).
  struct Block {
    std::string name;
    int32_t line = 1;  // its header's game line; 1 for the default block
    ProfileType type = ProfileType::Default;
    ProfileState state = ProfileState::Normal;
  };
  const std::vector<Block>& Blocks() const { return blocks_; }
  // The block that holds a game line (0: the default block).
  size_t BlockOf(int32_t gameLine) const;

  int32_t GameLines() const { return static_cast<int32_t>(lines_.size()); }
  LineKind Kind(int32_t gameLine) const;
  // The line's text as the loader classifies it: trimmed, viewing the bytes.
  std::string_view Text(int32_t gameLine) const;
  // The raw piece as read, without its line end.
  std::string_view Piece(int32_t gameLine) const;
  // A condition line's text between "(" and the last ")", as the loader collects it.
  std::string_view ConditionText(int32_t gameLine) const;
  // A header line's profile name as the loader takes it: after the bracket, up to the last
  // closing bracket or, without one, to the end.
  std::string_view HeaderName(int32_t gameLine) const;

  // The parts of a command or condition line as the game's parsers read them (parsed again on
  // a scratch session, so the load's own records and messages stay as they are).
  CommandSpans CommandAt(int32_t gameLine);
  ConditionSpans ConditionAt(int32_t gameLine);
  // Whether `text` on a command line would parse without a message: how fixes are checked.
  bool CommandParsesCleanly(std::string_view text, Command* parsed = nullptr);
  // The same for a condition text (between the parentheses), its operand reading too.
  bool ConditionParsesCleanly(std::string_view text);

  // A finding whose range is `span` (a view of the bytes, empty for a point) on game line
  // `gameLine`; a span that views no bytes stands for the line's whole text.
  Finding At(const char* rule, Severity severity, std::string message, int32_t gameLine,
             std::string_view span) const;
  RelatedLocation Related(int32_t gameLine, std::string_view span, std::string message) const;
  TextEdit Replace(std::string_view span, std::string newText) const;
  // Inserts a line of its own before the editor line holding `at`, indented as that line.
  TextEdit InsertLineBefore(std::string_view at, const std::string& text) const;

  std::string_view Bytes() const { return bytes_; }
  // Editor line and column of a byte offset.
  void PositionOf(size_t offset, int32_t& line, int32_t& column) const {
    editorLines_.PositionOf(offset, line, column);
  }

 private:
  struct GameLine {
    std::string_view piece;
    LineKind kind = LineKind::Blank;
    uint32_t block = 0;
  };

  bool Views(std::string_view span) const;
  size_t OffsetOf(const char* p) const { return static_cast<size_t>(p - bytes_.data()); }

  std::string_view bytes_;
  EditorLines editorLines_;
  std::vector<GameLine> lines_;     // by game line - 1
  std::vector<Block> blocks_;
  uint32_t headerCount_ = 0;  // headers read so far: the block of the next line
  size_t builtCount_ = 0;     // blocks finished so far
  Session scratch_;                 // where lines are parsed again for their parts
  Profile scratchProfile_;
};
