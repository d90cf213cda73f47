// The configuration as the game read it, line by line, with the way back to file positions.

#include "lint_source.h"

#include <algorithm>

#include "base/text.h"

LintSource::LintSource(std::string_view bytes) : bytes_(bytes), editorLines_(bytes) {
  blocks_.push_back({});
  blocks_.front().name = "__Default";
}

void LintSource::LineRead(int32_t, std::string_view piece, LineKind kind) {
  if (kind == LineKind::Header) headerCount_++;
  lines_.push_back({piece, kind, headerCount_});
}

void LintSource::ProfileBuilt(const Profile& profile) {
  // Blocks end in file order, each before the next header's line is read.
  const size_t block = builtCount_++;
  if (block >= blocks_.size()) blocks_.resize(block + 1);
  blocks_[block] = {profile.name, profile.line, profile.type, profile.state};
}

size_t LintSource::BlockOf(int32_t gameLine) const {
  if (gameLine < 1 || gameLine > GameLines()) return 0;
  return lines_[gameLine - 1].block;
}

LineKind LintSource::Kind(int32_t gameLine) const {
  if (gameLine < 1 || gameLine > GameLines()) return LineKind::Blank;
  return lines_[gameLine - 1].kind;
}

std::string_view LintSource::Piece(int32_t gameLine) const {
  if (gameLine < 1 || gameLine > GameLines()) return {};
  return lines_[gameLine - 1].piece;
}

std::string_view LintSource::Text(int32_t gameLine) const { return Trim(Piece(gameLine)); }

std::string_view LintSource::ConditionText(int32_t gameLine) const {
  std::string_view text = Text(gameLine);
  if (text.empty() || text.front() != '(') return {};
  text.remove_prefix(1);
  const size_t close = text.rfind(')');
  return close == std::string_view::npos ? std::string_view{} : text.substr(0, close);
}

std::string_view LintSource::HeaderName(int32_t gameLine) const {
  std::string_view text = Text(gameLine);
  if (Kind(gameLine) != LineKind::Header) return {};
  const char closing = text.front() == '[' ? ']' : '}';
  text.remove_prefix(1);
  return text.substr(0, std::min(text.rfind(closing), text.size()));
}

CommandSpans LintSource::CommandAt(int32_t gameLine) {
  CommandSpans spans;
  Command command;
  ParseCommand(scratch_, &scratchProfile_, gameLine, Text(gameLine), command, &spans);
  scratch_.messageQueue.clear();
  return spans;
}

ConditionSpans LintSource::ConditionAt(int32_t gameLine) {
  ConditionSpans spans;
  Condition condition;
  ParseCondition(scratch_, gameLine, ConditionText(gameLine), condition, &spans);
  scratch_.messageQueue.clear();
  return spans;
}

bool LintSource::CommandParsesCleanly(std::string_view text, Command* parsed) {
  Command command;
  scratchProfile_.state = ProfileState::Normal;
  const bool made = ParseCommand(scratch_, &scratchProfile_, 0, text, command);
  const bool clean = made && scratch_.messageQueue.empty();
  scratch_.messageQueue.clear();
  if (clean && parsed != nullptr) *parsed = command;
  return clean;
}

bool LintSource::ConditionParsesCleanly(std::string_view text) {
  Condition condition;
  const bool made = ParseCondition(scratch_, 0, text, condition);
  const bool clean = made && scratch_.messageQueue.empty() && condition.operand.isSet;
  scratch_.messageQueue.clear();
  return clean;
}

bool LintSource::Views(std::string_view span) const {
  return span.data() != nullptr && span.data() >= bytes_.data() &&
         span.data() + span.size() <= bytes_.data() + bytes_.size();
}

Finding LintSource::At(const char* rule, Severity severity, std::string message,
                       int32_t gameLine, std::string_view span) const {
  if (!Views(span)) span = Text(gameLine);
  Finding finding;
  finding.rule = rule;
  finding.severity = severity;
  if (Views(span)) {
    PositionOf(OffsetOf(span.data()), finding.line, finding.column);
    // A range never runs past its line's end.
    const std::string_view line = editorLines_.Line(finding.line);
    const int32_t lineEnd = static_cast<int32_t>(line.size()) + 1;
    finding.endColumn = std::min(finding.column + static_cast<int32_t>(span.size()), lineEnd);
  } else {
    // A line the game never read as such (none), or the file's start.
    finding.line = std::max(gameLine, 1);
    finding.column = finding.endColumn = 1;
  }
  const std::string_view piece = Piece(gameLine);
  if (Views(piece) && gameLine != finding.line) {
    finding.gameLine = gameLine;
    int32_t pieceLine = 0;
    int32_t pieceColumn = 0;
    PositionOf(OffsetOf(piece.data()), pieceLine, pieceColumn);
    message += pieceColumn > 1
                   ? " (the game reads this as line " + std::to_string(gameLine) +
                         ": a line longer than 1,022 characters reaches it in pieces, each "
                         "read as a line of its own)"
                   : " (the game counts this as line " + std::to_string(gameLine) +
                         ": an earlier line longer than 1,022 characters reached it as several "
                         "lines)";
  }
  finding.message = std::move(message);
  return finding;
}

RelatedLocation LintSource::Related(int32_t gameLine, std::string_view span,
                                    std::string message) const {
  const Finding place = At("", Severity::Warning, "", gameLine, span);
  return {place.line, place.column, place.endColumn, std::move(message)};
}

TextEdit LintSource::Replace(std::string_view span, std::string newText) const {
  TextEdit edit;
  PositionOf(OffsetOf(span.data()), edit.line, edit.column);
  PositionOf(OffsetOf(span.data() + span.size()), edit.endLine, edit.endColumn);
  edit.newText = std::move(newText);
  return edit;
}

TextEdit LintSource::InsertLineBefore(std::string_view at, const std::string& text) const {
  TextEdit edit;
  int32_t column = 0;
  PositionOf(OffsetOf(at.data()), edit.line, column);
  const std::string_view line = editorLines_.Line(edit.line);
  const std::string_view indent = line.substr(0, line.size() - TrimLeft(line).size());
  edit.column = edit.endColumn = 1;
  edit.endLine = edit.line;
  edit.newText = std::string(indent) + text + editorLines_.LineEnd();
  return edit;
}
