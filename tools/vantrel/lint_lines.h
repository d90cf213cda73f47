#pragma once
// A file's lines as an editor shows them: a line ends at LF, a CR before the LF belongs to the
// line end, and a UTF-8 byte-order mark is no part of line 1 but column 0 before it. Positions
// are 1-based lines and 1-based byte columns (see finding.h).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class EditorLines {
 public:
  explicit EditorLines(std::string_view bytes);

  int32_t Count() const { return static_cast<int32_t>(starts_.size()); }
  // Line `line` without its line end; empty beyond the file.
  std::string_view Line(int32_t line) const;
  void PositionOf(size_t offset, int32_t& line, int32_t& column) const;
  // The byte offset of a position, clamped to the file.
  size_t OffsetOf(int32_t line, int32_t column) const;
  // The file's first line end ("\r\n" or "\n"), for lines a fix inserts.
  const std::string& LineEnd() const { return lineEnd_; }

 private:
  size_t StartOf(size_t index) const { return index == 0 ? mark_ : starts_[index]; }

  std::string_view bytes_;
  size_t mark_ = 0;             // bytes of a byte-order mark before line 1
  std::vector<size_t> starts_;  // byte offset of each line
  std::string lineEnd_;
};
