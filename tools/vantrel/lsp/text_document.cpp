// An open document and positions in the editor's encoding.

#include "lsp/text_document.h"

#include <algorithm>

namespace {

// Bytes of the UTF-8 sequence that `lead` starts; a stray byte counts as one.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Code units one character takes: UTF-16 needs two for those beyond the basic plane.
int64_t Units(size_t sequenceLength, PositionEncoding encoding) {
  if (encoding == PositionEncoding::Utf8) return static_cast<int64_t>(sequenceLength);
  return sequenceLength == 4 ? 2 : 1;
}

}  // namespace

TextDocument::TextDocument(std::string text) : text_(std::move(text)) { IndexLines(); }

void TextDocument::IndexLines() {
  lineStarts_.assign(1, 0);
  for (size_t i = 0; i < text_.size(); ++i) {
    const char c = text_[i];
    if (c == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ++i;
    if (c == '\n' || c == '\r') lineStarts_.push_back(i + 1);
  }
}

void TextDocument::Replace(size_t begin, size_t end, std::string_view replacement) {
  begin = std::min(begin, text_.size());
  end = std::clamp(end, begin, text_.size());
  text_.replace(begin, end - begin, replacement);
  IndexLines();
}

std::string_view TextDocument::LineText(size_t line) const {
  if (line >= lineStarts_.size()) return {};
  const size_t begin = lineStarts_[line];
  size_t end = line + 1 < lineStarts_.size() ? lineStarts_[line + 1] : text_.size();
  while (end > begin && (text_[end - 1] == '\n' || text_[end - 1] == '\r')) --end;
  return std::string_view(text_).substr(begin, end - begin);
}

size_t TextDocument::OffsetOf(TextPosition position, PositionEncoding encoding) const {
  if (position.line < 0) return 0;
  if (static_cast<uint64_t>(position.line) >= lineStarts_.size()) return text_.size();
  const size_t line = static_cast<size_t>(position.line);
  const std::string_view text = LineText(line);
  size_t at = 0;
  int64_t units = 0;
  while (at < text.size()) {
    const size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
    units += Units(length, encoding);
    if (units > position.character) break;
    at += length;
  }
  return lineStarts_[line] + at;
}

TextPosition TextDocument::PositionOf(size_t offset, PositionEncoding encoding) const {
  offset = std::min(offset, text_.size());
  const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  const size_t line = static_cast<size_t>(after - lineStarts_.begin()) - 1;
  const std::string_view text = LineText(line);
  const size_t column = std::min(offset - lineStarts_[line], text.size());
  TextPosition position{static_cast<int64_t>(line), 0};
  size_t at = 0;
  while (at < column) {
    const size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
    position.character += Units(length, encoding);
    at += length;
  }
  return position;
}
