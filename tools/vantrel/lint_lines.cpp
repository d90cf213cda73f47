// A file's lines as an editor shows them, and positions within them.

#include "lint_lines.h"

#include <algorithm>

EditorLines::EditorLines(std::string_view bytes)
    : bytes_(bytes), mark_(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0) {
  starts_.push_back(0);
  for (size_t i = bytes_.find('\n'); i != std::string_view::npos; i = bytes_.find('\n', i + 1)) {
    if (lineEnd_.empty()) lineEnd_ = i > 0 && bytes_[i - 1] == '\r' ? "\r\n" : "\n";
    if (i + 1 < bytes_.size()) starts_.push_back(i + 1);
  }
  if (lineEnd_.empty()) lineEnd_ = "\n";
}

std::string_view EditorLines::Line(int32_t line) const {
  if (line < 1 || line > Count()) return {};
  const size_t start = StartOf(static_cast<size_t>(line - 1));
  // The index of the line's LF, or the end of a last line without one.
  size_t end = line < Count() ? starts_[line] - 1 : bytes_.size();
  if (line == Count() && end > start && bytes_[end - 1] == '\n') --end;
  if (end > start && bytes_[end - 1] == '\r' && end < bytes_.size()) --end;
  return bytes_.substr(start, end - start);
}

void EditorLines::PositionOf(size_t offset, int32_t& line, int32_t& column) const {
  const auto next = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const size_t index = static_cast<size_t>(next - starts_.begin()) - 1;
  line = static_cast<int32_t>(index + 1);
  // Within the byte-order mark: column 0.
  column = offset < StartOf(index) ? 0 : static_cast<int32_t>(offset - StartOf(index) + 1);
}

size_t EditorLines::OffsetOf(int32_t line, int32_t column) const {
  line = std::clamp(line, 1, Count());
  if (column <= 0) return starts_[line - 1];  // before a byte-order mark
  const size_t offset = StartOf(static_cast<size_t>(line - 1)) + static_cast<size_t>(column - 1);
  return std::min(offset, bytes_.size());
}
