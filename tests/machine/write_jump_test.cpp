// The patch bytes and the page protection around writing them.
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "fake_game.h"
#include "plugin/hooks/write_jump.h"

namespace {

int32_t DisplacementAt(const uint8_t* bytes) {
  int32_t displacement;
  std::memcpy(&displacement, bytes + 1, 4);
  return displacement;
}

// The permissions /proc/self/maps lists for the page holding `address`, e.g. "r-xp".
std::string PagePermissions(uint32_t address) {
  std::FILE* maps = std::fopen("/proc/self/maps", "r");
  char line[512];
  std::string permissions;
  while (permissions.empty() && std::fgets(line, sizeof line, maps)) {
    unsigned long start = 0, end = 0;
    char perms[5] = {};
    if (std::sscanf(line, "%lx-%lx %4s", &start, &end, perms) == 3 && address >= start &&
        address < end) {
      permissions = perms;
    }
  }
  std::fclose(maps);
  return permissions;
}

TEST(EncodeJump, JumpsForwardAndBackwardFromTheSite) {
  uint8_t bytes[5];
  EncodeJump(0x00401000, 0x00401005, 0x00402000, bytes);
  EXPECT_EQ(bytes[0], 0xE9);
  EXPECT_EQ(DisplacementAt(bytes), 0x00402000 - 0x00401005);

  EncodeJump(0x00840E29, 0x00840E2E, 0x00400010, bytes);
  EXPECT_EQ(DisplacementAt(bytes), 0x00400010 - 0x00840E2E);
  EXPECT_LT(DisplacementAt(bytes), 0);
}

TEST(EncodeJump, FillsTheReplacedBytesAfterTheJumpWithNops) {
  uint8_t bytes[12];
  std::memset(bytes, 0xCC, sizeof bytes);
  EncodeJump(0x1000, 0x1005, 0x2000, bytes);
  EXPECT_EQ(bytes[5], 0xCC);  // exactly five bytes: no filler

  EncodeJump(0x1000, 0x100A, 0x2000, bytes);
  for (int i = 5; i < 10; ++i) EXPECT_EQ(bytes[i], 0x90) << i;
  EXPECT_EQ(bytes[10], 0xCC);
}

class WriteJumpTest : public ::testing::Test {
 protected:
  static constexpr uint32_t kPage = 0x01B00000;  // a spare page of the fake image
  void SetUp() override { ASSERT_TRUE(MapFakeImage()); }
  void TearDown() override {
    mprotect(reinterpret_cast<void*>(kPage), 0x1000, PROT_READ | PROT_WRITE | PROT_EXEC);
  }
};

TEST_F(WriteJumpTest, WritesReadOnlyCodeAndRestoresItsProtection) {
  std::memset(reinterpret_cast<void*>(kPage), 0xCC, 0x1000);
  ASSERT_EQ(mprotect(reinterpret_cast<void*>(kPage), 0x1000, PROT_READ | PROT_EXEC), 0);
  ASSERT_EQ(PagePermissions(kPage), "r-xp");

  const uint32_t site = kPage + 0x10;
  EXPECT_EQ(WriteJump(site, site + 7, 0x00400000), PatchResult::Written);

  EXPECT_EQ(PagePermissions(kPage), "r-xp");
  EXPECT_EQ(Peek<uint8_t>(site), 0xE9);
  EXPECT_EQ(Peek<int32_t>(site + 1), static_cast<int32_t>(0x00400000 - (site + 5)));
  EXPECT_EQ(Peek<uint8_t>(site + 5), 0x90);
  EXPECT_EQ(Peek<uint8_t>(site + 6), 0x90);
  EXPECT_EQ(Peek<uint8_t>(site + 7), 0xCC);
  EXPECT_EQ(Peek<uint8_t>(site - 1), 0xCC);
}

TEST_F(WriteJumpTest, ASiteSpanningTwoPagesIsWrittenWhole) {
  ASSERT_EQ(mprotect(reinterpret_cast<void*>(kPage), 0x2000, PROT_READ | PROT_EXEC), 0);
  const uint32_t site = kPage + 0x1000 - 3;
  EXPECT_EQ(WriteJump(site, site + 6, 0x00500000), PatchResult::Written);
  EXPECT_EQ(Peek<int32_t>(site + 1), static_cast<int32_t>(0x00500000 - (site + 5)));
  EXPECT_EQ(Peek<uint8_t>(site + 5), 0x90);
  EXPECT_EQ(PagePermissions(kPage + 0x1000), "r-xp");
  mprotect(reinterpret_cast<void*>(kPage + 0x1000), 0x1000, PROT_READ | PROT_WRITE | PROT_EXEC);
}

TEST_F(WriteJumpTest, FailsWithoutWritingWhereTheProtectionCannotChange) {
  // Nothing is mapped above the fake image.
  EXPECT_EQ(WriteJump(kImageEnd + 0x10000, kImageEnd + 0x10005, 0x00400000),
            PatchResult::NotWritten);
  // A site shorter than the jump is refused.
  Poke<uint8_t>(kPage, 0xCC);
  EXPECT_EQ(WriteJump(kPage, kPage + 4, 0x00400000), PatchResult::NotWritten);
  EXPECT_EQ(Peek<uint8_t>(kPage), 0xCC);
}

}  // namespace
