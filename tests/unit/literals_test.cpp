// Tests of the literal rules, against strtol and strtof where they agree.

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "config/literals.h"

namespace {

// Random short texts over the characters that matter to number syntax.
std::string RandomText(std::mt19937& random, const std::string& alphabet) {
  std::string text(random() % 9, ' ');
  for (char& c : text) c = alphabet[random() % alphabet.size()];
  return text;
}

}  // namespace

TEST(Literals, IntAgreesWithStrtolInsideThe32BitRange) {
  std::mt19937 random(7);
  int acceptedCount = 0;
  for (int i = 0; i < 50000; ++i) {
    const std::string text = RandomText(random, "0123456789abfxX+- 7");
    char* end = nullptr;
    errno = 0;
    const long oracle = std::strtol(text.c_str(), &end, 0);
    const bool accepted = end == text.c_str() + text.size() && errno == 0 &&
                          oracle > -2147483648L && oracle < 2147483647L;
    const ValueData parsed = ParseValueText(ValueType::Int, text);
    ASSERT_EQ(parsed.isSet, accepted) << '"' << text << '"';
    EXPECT_EQ(parsed.type, ValueType::Int);
    if (accepted) {
      ++acceptedCount;
      EXPECT_EQ(parsed.AsInt(), oracle) << '"' << text << '"';
    }
  }
  EXPECT_GT(acceptedCount, 5000);  // the comparison is not vacuous
}

TEST(Literals, IntEdges) {
  const std::pair<const char*, int64_t> accepted[] = {
      {"", 0},           {"010", 8},          {"-0x1A", -26},        {" +0X00012345", 74565},
      {"2147483646", 2147483646}, {"-2147483647", -2147483647}, {"0", 0}, {"-0", 0}};
  for (const auto& [text, number] : accepted) {
    const ValueData parsed = ParseValueText(ValueType::Int, text);
    EXPECT_TRUE(parsed.isSet) << text;
    EXPECT_EQ(parsed.AsInt(), number) << text;
  }
  for (const char* text : {"2147483647", "-2147483648", "0xFF000800", "99999999999999999999",
                           "08", "3 ", " ", "+", "0x", "1.0", "0x1g"}) {
    EXPECT_FALSE(ParseValueText(ValueType::Int, text).isSet) << text;
  }
}

TEST(Literals, FloatAgreesWithStrtofOnDecimalText) {
  std::mt19937 random(11);
  int acceptedCount = 0;
  for (int i = 0; i < 50000; ++i) {
    std::string text = RandomText(random, "0123456789.eE+- 5");
    if (random() % 4 == 0) text += "e" + std::to_string(static_cast<int>(random() % 100) - 60);
    char* end = nullptr;
    const float oracle = std::strtof(text.c_str(), &end);
    if (std::isinf(oracle)) continue;  // refused on purpose, checked below
    const bool accepted = end == text.c_str() + text.size();
    const ValueData parsed = ParseValueText(ValueType::Float, text);
    ASSERT_EQ(parsed.isSet, accepted) << '"' << text << '"';
    if (accepted) {
      ++acceptedCount;
      EXPECT_EQ(parsed.payload, std::bit_cast<uint32_t>(oracle)) << '"' << text << '"';
    }
  }
  EXPECT_GT(acceptedCount, 5000);
}

TEST(Literals, FloatRoundsPlainDecimalsOfAnyDigitCountLikeStrtof) {
  std::mt19937 random(13);
  for (int i = 0; i < 20000; ++i) {
    std::string text(1 + random() % 9, '0');
    for (char& c : text) c = static_cast<char>('0' + random() % 10);
    if (random() % 4 != 0) text.insert(random() % (text.size() + 1), ".");
    const float oracle = std::strtof(text.c_str(), nullptr);
    const ValueData parsed = ParseValueText(ValueType::Float, text);
    ASSERT_TRUE(parsed.isSet) << text;
    EXPECT_EQ(parsed.payload, std::bit_cast<uint32_t>(oracle)) << text;
  }
}

TEST(Literals, FloatRefusesWhatIsNotDecimalNotation) {
  EXPECT_TRUE(ParseValueText(ValueType::Float, "").isSet);
  EXPECT_EQ(ParseValueText(ValueType::Float, "  -.5e1").AsFloat(), -5.0f);
  EXPECT_EQ(ParseValueText(ValueType::Float, "1e-60").AsFloat(), 0.0f);
  for (const char* text : {"0x1p3", "inf", "-INF", "nan", "infinity", "70.5 ", "1e", "1e+",
                           ".", "1e39", "-3.5e38", "1,5"}) {
    EXPECT_FALSE(ParseValueText(ValueType::Float, text).isSet) << text;
  }
}

TEST(Literals, BoolWordsStringsAndUnknown) {
  for (const char* text : {"true", " YES ", "1", "\tTrue"}) {
    EXPECT_EQ(ParseValueText(ValueType::Bool, text).payload, 1u) << text;
  }
  for (const char* text : {"false", "No", "0 "}) {
    const ValueData parsed = ParseValueText(ValueType::Bool, text);
    EXPECT_TRUE(parsed.isSet && parsed.payload == 0) << text;
  }
  for (const char* text : {"on", "", "2", "y"}) {
    EXPECT_FALSE(ParseValueText(ValueType::Bool, text).isSet) << text;
  }
  const ValueData quoted = ParseValueText(ValueType::String, " \"Two Words\" ");
  EXPECT_TRUE(quoted.isSet);
  EXPECT_EQ(quoted.text, " \"Two Words\" ");
  EXPECT_FALSE(ParseValueText(ValueType::Unknown, "1").isSet);
  EXPECT_EQ(ParseValueText(ValueType::Unknown, "1").type, ValueType::Unknown);
}
