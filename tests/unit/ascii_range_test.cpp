// The case-insensitive comparisons, the name index and the text helpers over every byte,
// against the plain ASCII definitions: a letter pair left unfolded, a byte above 0x7F folded,
// a blank or a digit missing from a class shows here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/name_index.h"
#include "base/text.h"
#include "config/literals.h"
#include "config/tokens.h"

namespace {

bool Blank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool Digit(int c) { return c >= '0' && c <= '9'; }
bool Alnum(int c) { return Digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
int Fold(int c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }
int HexValue(int c) {
  if (Digit(c)) return c - '0';
  if (Fold(c) >= 'A' && Fold(c) <= 'F') return Fold(c) - 'A' + 10;
  return -1;
}
std::string Byte(int c) { return std::string(1, static_cast<char>(c)); }

}  // namespace

TEST(AsciiRange, ComparisonsFoldExactlyTheLetterPairs) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const bool same = Fold(a) == Fold(b);
      EXPECT_EQ(EqualIgnoringCase(Byte(a), Byte(b)), same) << a << ' ' << b;
      EXPECT_EQ(TrimmedEqualIgnoringCase(" " + Byte(a) + "\t", Byte(b)), same && !Blank(a))
          << a << ' ' << b;
      // A part's first character is compared apart from the ones after it: both are tried.
      EXPECT_EQ(ContainsIgnoringCase("-" + Byte(a), Byte(b)), same || b == '-') << a << ' ' << b;
      EXPECT_EQ(ContainsIgnoringCase("k" + Byte(a), "K" + Byte(b)), same) << a << ' ' << b;
    }
  }
}

// Names of every length the hash reads differently (bytes one by one, two 4-byte words, 8-byte
// words with an overlapping last one), with each byte at each position: a name differing only
// in case is the same name, and the first one added keeps its position.
TEST(AsciiRange, NameIndexFindsEveryByteAtEveryPositionInEitherCase) {
  for (size_t length : {1, 2, 3, 4, 5, 7, 8, 9, 12, 16, 17}) {
    for (size_t position = 0; position < length; ++position) {
      std::vector<std::string> names(256, std::string(length, '.'));
      NameIndex index;
      for (int c = 0; c < 256; ++c) {
        names[c][position] = static_cast<char>(c);
        index.Add(names[c], c);  // an upper-case letter comes before its lower-case one
      }
      for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(index.Find(names[c]), Fold(c))
            << "length " << length << " at " << position << ": " << c;
      }
    }
  }
}

TEST(AsciiRange, TrimAndTokensStopAtTheirClassesOnly) {
  for (int c = 0; c < 256; ++c) {
    const std::string s = Byte(c);
    EXPECT_EQ(Trim(s + "x" + s), Blank(c) ? "x" : s + "x" + s) << c;
    EXPECT_EQ(TrimLeft(s + "x" + s), Blank(c) ? "x" + s : s + "x" + s) << c;
    EXPECT_EQ(AlnumPrefixLength("x" + s + "."), Alnum(c) ? 2u : 1u) << c;
    const std::string word = "x" + s + "y";
    std::string_view input = word;
    std::string_view token;
    ReadWord(input, token);
    EXPECT_EQ(token, Blank(c) ? "x" : word) << c;
  }
}

// Digits of each base after its prefix, and the characters a number token takes after its
// first digit.
TEST(AsciiRange, NumberDigitsOfEachBase) {
  const struct {
    const char* prefix;
    int base;
    int lead;  // the prefix's own value
  } bases[] = {{"0x", 16, 0}, {"0", 8, 0}, {"1", 10, 1}};
  for (int c = 0; c < 256; ++c) {
    const std::string s = Byte(c);
    for (const auto& b : bases) {
      const bool accepted = HexValue(c) >= 0 && HexValue(c) < b.base;
      const ValueData parsed = ParseValueText(ValueType::Int, b.prefix + s);
      EXPECT_EQ(parsed.isSet, accepted) << b.prefix << ' ' << c;
      EXPECT_EQ(parsed.AsInt(), accepted ? b.lead * b.base + HexValue(c) : 0) << b.prefix << c;
    }
    const std::string text = "1" + s + " ";
    std::string_view input = text;
    std::string_view token;
    ASSERT_TRUE(ReadNumberToken(input, token));
    const bool taken = HexValue(c) >= 0 || c == 'X' || c == '-' || c == '+';
    EXPECT_EQ(token, taken ? "1" + s : "1") << c;
  }
}
