// Rule file-format: what the game makes of the file's bytes before any line means anything.
#include <algorithm>
#include <string>

#include "base/text.h"
#include "lint_file_format.h"
#include "lint_fixes.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

void ByteOrderMark(LintContext& context) {
  LintSource& source = context.source;
  const std::string_view bytes = source.Bytes();
  if (bytes.substr(0, kUtf8Mark.size()) != kUtf8Mark) return;
  // The mark is text of line 1 to the game, so that line is refused as a command: that load
  // error is this finding.
  auto& findings = context.findings;
  findings.erase(std::remove_if(findings.begin(), findings.end(),
                                [](const Finding& f) {
                                  return f.rule == "load" && f.line == 1 &&
                                         f.message == "Invalid syntax for command!";
                                }),
                 findings.end());
  const std::string_view firstLine = Trim(source.Text(1).substr(kUtf8Mark.size()));
  std::string lost;
  if (!firstLine.empty()) {
    switch (firstLine.front()) {
      case '[':
      case '{':
        lost = ", so its header opens no profile";
        break;
      case '(':
        lost = ", so its condition is lost";
        break;
      case ';':
      case '#':
        lost = " instead of a comment";
        break;
      default:
        lost = ", so its command is lost";
    }
  }
  Finding finding = source.At(
      "file-format", Severity::Error,
      "the file begins with a UTF-8 byte-order mark, which the game reads as text of line 1: it "
      "refuses that line as a command ('Invalid syntax for command!')" + lost +
          "; save the file as UTF-8 without BOM",
      1, bytes.substr(kUtf8Mark.size(), 0));
  finding.fixes.push_back(
      ReplaceFix(source, bytes.substr(0, kUtf8Mark.size()), "", true, "remove the byte-order mark"));
  findings.push_back(std::move(finding));
}

void CtrlZ(LintContext& context) {
  LintSource& source = context.source;
  const std::string_view bytes = source.Bytes();
  const size_t at = bytes.find('\x1A');
  if (at == std::string_view::npos || Trim(bytes.substr(at + 1)).empty()) return;
  Finding finding = source.At(
      "file-format", Severity::Error,
      "the game stops reading at this Ctrl-Z character (0x1A): the text after it is never read",
      0, bytes.substr(at, 1));
  finding.fixes.push_back(
      ReplaceFix(source, bytes.substr(at, 1), "", false, "remove the Ctrl-Z character"));
  context.findings.push_back(std::move(finding));
}

// A zero byte ends the line's text for the game; a continued piece of a long line is read as a
// line of its own.
void LinePieces(LintContext& context) {
  LintSource& source = context.source;
  const std::string_view bytes = source.Bytes();
  for (int32_t line = 1; line <= source.GameLines(); ++line) {
    const std::string_view piece = source.Piece(line);
    const size_t start = static_cast<size_t>(piece.data() - bytes.data());
    const size_t end = start + piece.size();
    if (end < bytes.size() && bytes[end] == '\0') {
      const size_t lineEnd = std::min(bytes.find('\n', end), bytes.size());
      if (!Trim(bytes.substr(end, lineEnd - end)).empty()) {
        context.findings.push_back(source.At(
            "file-format", Severity::Error,
            "the game's line ends at this zero byte: the rest of the line is never read", line,
            bytes.substr(end, 1)));
      }
    }
    if (start > 0 && bytes[start - 1] != '\n' && !Trim(piece).empty()) {
      context.findings.push_back(source.At(
          "file-format", Severity::Error,
          "this line is longer than 1,022 characters, and the game reads its text from here on "
          "as a line of its own",
          line, piece));
    }
  }
}

}  // namespace

bool IsUtf16(std::string_view bytes) {
  if (bytes.size() < 2) return false;
  if ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')) {
    return true;
  }
  // Without a mark: ASCII text with every other byte zero.
  return bytes.size() >= 4 && ((bytes[0] != 0 && bytes[1] == 0 && bytes[2] != 0 && bytes[3] == 0) ||
                               (bytes[0] == 0 && bytes[1] != 0 && bytes[2] == 0 && bytes[3] != 0));
}

Finding Utf16Finding() {
  Finding finding;
  finding.rule = "file-format";
  finding.severity = Severity::Error;
  finding.message =
      "the file is saved as UTF-16 (what some editors call \"Unicode\"): the game reads it byte "
      "by byte, every other byte is zero, and each line's text ends at its first zero byte, so "
      "nothing of it loads; save it as UTF-8 without BOM (or ANSI)";
  finding.line = 1;
  finding.column = 1;
  finding.endColumn = 1;
  return finding;
}

void FileFormatFindings(LintContext& context) {
  ByteOrderMark(context);
  CtrlZ(context);
  LinePieces(context);
}
