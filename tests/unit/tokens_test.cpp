// Tests of the command parser's token readers.

#include <gtest/gtest.h>

#include <string>

#include "config/tokens.h"

namespace {

struct TokenCase {
  const char* input;
  bool result;
  const char* token;
  const char* remainder;
};

void ExpectReads(bool (*reader)(std::string_view&, std::string_view&),
                 const TokenCase& expected) {
  std::string_view input = expected.input;
  std::string_view token;
  EXPECT_EQ(reader(input, token), expected.result) << expected.input;
  EXPECT_EQ(token, expected.token) << expected.input;
  EXPECT_EQ(input, expected.remainder) << expected.input;
}

}  // namespace

TEST(Tokens, NumberTokenEndsWhereTheNextArgumentStarts) {
  const TokenCase cases[] = {
      {"42 0 Combat", true, "42", "0 Combat"},   {"0x2A 1", true, "0x2A", "1"},
      {"4x2 0 Combat", true, "4", "x2 0 Combat"}, {"5X 0", true, "5X", "0"},
      {"1Z Combat", true, "1", "Z Combat"},      {"12ab", true, "12ab", ""},
      {"-42 0", true, "-42", "0"},               {"+-1", true, "+", "-1"},
      {"0xx", true, "0x", "x"},                  {"00x", true, "00", "x"},
      {"  7  ", true, "7", ""},                  {"Combat", false, "", "Combat"},
      {"", false, "", ""},                       {"abc", false, "", "abc"},
  };
  for (const TokenCase& c : cases) ExpectReads(ReadNumberToken, c);
}

TEST(Tokens, IdentifierWordAndStringTokens) {
  const TokenCase identifiers[] = {
      {" fFOV 90", true, "fFOV", "90"}, {"f_FOV 90", true, "f", "_FOV 90"},
      {":fFOV", false, "", ":fFOV"},     {"", false, "", ""},
  };
  for (const TokenCase& c : identifiers) ExpectReads(ReadIdentifier, c);
  const TokenCase words[] = {{"", true, "", ""}, {"  15 0.5  2", true, "15", "0.5  2"}};
  for (const TokenCase& c : words) ExpectReads(ReadWord, c);
  const TokenCase strings[] = {
      {"\"Two Words\" 1", true, "Two Words", " 1"}, {" \"open end", true, "open end", ""},
      {"\"\"x", true, "", "x"},                       {"plain words", true, "plain", "words"},
  };
  for (const TokenCase& c : strings) ExpectReads(ReadStringToken, c);
}
