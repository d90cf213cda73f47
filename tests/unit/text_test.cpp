// Tests of the ASCII text helpers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "base/text_pool.h"

TEST(Text, TrimStopsAtAsciiBlanksOnly) {
  EXPECT_EQ(Trim(" \t\v\f\r\nab c\r\n"), "ab c");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // bytes above 127 are not blanks
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_FALSE(IsAlnum('\xC4'));
  EXPECT_FALSE(IsAlnum('_'));
}

// Every byte against the plain definitions: the classes are computed with bit tricks.
TEST(Text, CharacterClassesOfEveryByte) {
  for (int i = 0; i < 256; ++i) {
    const char c = static_cast<char>(i);
    const bool blank = i == ' ' || i == '\t' || i == '\n' || i == '\v' || i == '\f' || i == '\r';
    const bool alnum = (i >= 'A' && i <= 'Z') || (i >= 'a' && i <= 'z') || (i >= '0' && i <= '9');
    EXPECT_EQ(IsBlank(c), blank) << i;
    EXPECT_EQ(IsAlnum(c), alnum) << i;
  }
}

TEST(Text, TrimmedEqualTrimsOnlyTheText) {
  EXPECT_TRUE(TrimmedEqualIgnoringCase("  sKiP\t", "skip"));
  EXPECT_FALSE(TrimmedEqualIgnoringCase("skip", " skip"));
  EXPECT_FALSE(TrimmedEqualIgnoringCase("skips", "skip"));
  EXPECT_FALSE(TrimmedEqualIgnoringCase("\xE4", "\xC4"));  // ASCII case folding only
  EXPECT_TRUE(TrimmedEqualIgnoringCase("", ""));
}

TEST(Text, EqualAndContainsIgnoringCase) {
  EXPECT_TRUE(EqualIgnoringCase("ABc", "abC"));
  EXPECT_FALSE(EqualIgnoringCase("ab", "abc"));
  EXPECT_FALSE(EqualIgnoringCase("abc", "ab"));
  EXPECT_TRUE(ContainsIgnoringCase("ABcd", "abC"));
  EXPECT_TRUE(ContainsIgnoringCase("", ""));
  EXPECT_TRUE(ContainsIgnoringCase("NordRaceVampire", "racev"));
  EXPECT_TRUE(ContainsIgnoringCase("abc", "C"));
  EXPECT_FALSE(ContainsIgnoringCase("ab", "abc"));
  EXPECT_FALSE(ContainsIgnoringCase("a-b", "a_b"));
}

TEST(Text, PooledTextsStayPutAndEndInANul) {
  TextPool pool;
  const std::string_view first = pool.Keep("first");
  const std::string_view empty = pool.Keep("");
  const std::string longText(3000, 'x');  // a block of its own
  const std::string_view kept = pool.Keep(longText);
  std::vector<std::string_view> many;
  for (int i = 0; i < 2000; ++i) many.push_back(pool.Keep("text " + std::to_string(i)));
  EXPECT_EQ(first, "first");
  EXPECT_EQ(first.data()[first.size()], '\0');
  EXPECT_STREQ(empty.data(), "");
  EXPECT_EQ(kept, longText);
  EXPECT_NE(kept.data(), longText.data());
  for (int i = 0; i < 2000; ++i) EXPECT_EQ(many[i], "text " + std::to_string(i));
}

TEST(Text, APoolThatSharesKeepsOneCopyOfEachExactText) {
  TextPool pool;
  const std::string_view before = pool.Keep("Combat");
  pool.StartSharing();
  const std::string_view shared = pool.Keep("Combat");
  EXPECT_NE(shared.data(), before.data());  // texts kept before sharing are not indexed
  std::vector<std::string_view> kept;
  for (int i = 0; i < 3000; ++i) kept.push_back(pool.Keep("name " + std::to_string(i)));
  EXPECT_EQ(pool.Keep("Combat").data(), shared.data());
  EXPECT_EQ(pool.Keep("name 2999").data(), kept.back().data());
  EXPECT_EQ(pool.Keep("combat"), "combat");  // case matters: an event name is sent as written
  pool.StopSharing();
  EXPECT_NE(pool.Keep("Combat").data(), shared.data());
  EXPECT_EQ(shared, "Combat");
  for (int i = 0; i < 3000; ++i) EXPECT_EQ(kept[i], "name " + std::to_string(i));
}
