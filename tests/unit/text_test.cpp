#include <gtest/gtest.h>

#include "base/text.h"

TEST(Text, TrimStopsAtAsciiBlanksOnly) {
  EXPECT_EQ(Trim(" \t\v\f\r\nab c\r\n"), "ab c");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // bytes above 127 are not blanks
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_FALSE(IsAlnum('\xC4'));
  EXPECT_FALSE(IsAlnum('_'));
}

TEST(Text, EqualsIgnoreCaseTrimsOnlyTheText) {
  EXPECT_TRUE(EqualsIgnoreCase("  sKiP\t", "skip"));
  EXPECT_FALSE(EqualsIgnoreCase("skip", " skip"));
  EXPECT_FALSE(EqualsIgnoreCase("skips", "skip"));
  EXPECT_FALSE(EqualsIgnoreCase("\xE4", "\xC4"));  // ASCII case folding only
  EXPECT_TRUE(EqualsIgnoreCase("", ""));
}

TEST(Text, StartsWithAndContainsIgnoreCase) {
  EXPECT_TRUE(StartsWithIgnoreCase("abc", ""));
  EXPECT_TRUE(StartsWithIgnoreCase("ABcd", "abC"));
  EXPECT_FALSE(StartsWithIgnoreCase("ab", "abc"));
  EXPECT_TRUE(ContainsIgnoreCase("", ""));
  EXPECT_TRUE(ContainsIgnoreCase("NordRaceVampire", "racev"));
  EXPECT_TRUE(ContainsIgnoreCase("abc", "C"));
  EXPECT_FALSE(ContainsIgnoreCase("ab", "abc"));
  EXPECT_FALSE(ContainsIgnoreCase("a-b", "a_b"));
}
