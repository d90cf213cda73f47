#pragma once
// An open document: the editor's text as the bytes the game would read (UTF-8), and positions
// in the editor's terms: a line (LF, CR LF or a lone CR ends one) and a character counted in
// the encoding the client and the server agreed on.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class PositionEncoding { Utf8, Utf16 };

struct TextPosition {
  int64_t line = 0;
  int64_t character = 0;
};

class TextDocument {
 public:
  explicit TextDocument(std::string text = {});

  const std::string& Text() const { return text_; }

  // Replaces the bytes [begin, end) (offsets are clamped to the text).
  void Replace(size_t begin, size_t end, std::string_view replacement);

  // The byte offset of `position`: a line past the end is the end of the text, a character
  // past a line's end is that end, and one inside a character is that character's start.
  size_t OffsetOf(TextPosition position, PositionEncoding encoding) const;
  TextPosition PositionOf(size_t offset, PositionEncoding encoding) const;

  size_t LineCount() const { return lineStarts_.size(); }
  // The line's bytes without its line end.
  std::string_view LineText(size_t line) const;

 private:
  void IndexLines();

  std::string text_;
  std::vector<size_t> lineStarts_;  // never empty: line 0 starts at 0
};
