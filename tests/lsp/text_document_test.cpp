// Positions both ways in both encodings, on lines with characters of 1 to 4 UTF-8 bytes and
// every line end the protocol knows.
#include "lsp/text_document.h"

#include <gtest/gtest.h>

namespace {

// Line 0: "a" e-acute (2 bytes) euro sign (3 bytes) an emoji (4 bytes, 2 UTF-16 units) "b", CR LF;
// line 1: "x", a lone CR; line 2: "yz", LF; line 3: empty.
const std::string kText =
    "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
    "b\r\nx\ryz\n";

struct Case {
  TextPosition utf16;
  TextPosition utf8;
  size_t offset;
};

TEST(TextDocument, PositionsAndOffsetsAgreeInBothEncodings) {
  const TextDocument document(kText);
  const Case cases[] = {
      {{0, 0}, {0, 0}, 0},   {{0, 1}, {0, 1}, 1},   {{0, 2}, {0, 3}, 3},  {{0, 3}, {0, 6}, 6},
      {{0, 5}, {0, 10}, 10}, {{0, 6}, {0, 11}, 11}, {{1, 0}, {1, 0}, 13}, {{1, 1}, {1, 1}, 14},
      {{2, 2}, {2, 2}, 17},  {{3, 0}, {3, 0}, 18},
  };
  EXPECT_EQ(document.LineCount(), 4u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(document.OffsetOf(c.utf16, PositionEncoding::Utf16), c.offset);
    EXPECT_EQ(document.OffsetOf(c.utf8, PositionEncoding::Utf8), c.offset);
    const TextPosition utf16 = document.PositionOf(c.offset, PositionEncoding::Utf16);
    EXPECT_EQ(utf16.line, c.utf16.line);
    EXPECT_EQ(utf16.character, c.utf16.character);
    const TextPosition utf8 = document.PositionOf(c.offset, PositionEncoding::Utf8);
    EXPECT_EQ(utf8.character, c.utf8.character);
  }
}

TEST(TextDocument, PositionsOutsideTheTextAreClamped) {
  const TextDocument document(kText);
  // Past a line's end: the end of its text, before the line end.
  EXPECT_EQ(document.OffsetOf({0, 99}, PositionEncoding::Utf16), 11u);
  EXPECT_EQ(document.OffsetOf({1, 99}, PositionEncoding::Utf8), 14u);
  // Between the two halves of a surrogate pair: the character's start.
  EXPECT_EQ(document.OffsetOf({0, 4}, PositionEncoding::Utf16), 6u);
  // Past the last line, or before the first: the text's end or start.
  EXPECT_EQ(document.OffsetOf({9, 0}, PositionEncoding::Utf16), kText.size());
  EXPECT_EQ(document.OffsetOf({-1, 5}, PositionEncoding::Utf16), 0u);
  EXPECT_EQ(document.PositionOf(1000, PositionEncoding::Utf16).line, 3);
}

TEST(TextDocument, ReplacementsKeepTheLinesIndexed) {
  TextDocument document("[A]\n(bSneaking)\n");
  document.Replace(5, 14, "bWeaponOut");
  EXPECT_EQ(document.Text(), "[A]\n(bWeaponOut)\n");
  document.Replace(3, 3, "\nSet fFOV 90");  // a line inserted
  EXPECT_EQ(document.LineText(1), "Set fFOV 90");
  EXPECT_EQ(document.LineText(2), "(bWeaponOut)");
  document.Replace(30, 10, "");  // reversed and past the end: nothing
  EXPECT_EQ(document.LineCount(), 4u);
}

}  // namespace
