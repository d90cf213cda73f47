// The hook table against the game's code: what each row expects at its site, and how a site
// that holds something else is left alone.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_game.h"
#include "hook_rows.h"
#include "plugin/hooks/hooks.h"
#include "plugin/plugin.h"

namespace {

uint32_t JumpTarget(uint32_t site) { return site + 5 + Peek<uint32_t>(site + 1); }

// Puts a read-only file mapping, holding the page's present bytes, in the page's place: its
// protection cannot be changed to writable.
bool MapPageReadOnly(uint32_t page) {
  char path[] = "/tmp/vantrel_page_XXXXXX";
  const int writer = mkstemp(path);
  if (writer < 0) return false;
  const bool written = write(writer, reinterpret_cast<void*>(page), 0x1000) == 0x1000;
  close(writer);
  const int reader = open(path, O_RDONLY);
  unlink(path);
  if (!written || reader < 0) return false;
  void* mapped = mmap(reinterpret_cast<void*>(page), 0x1000, PROT_READ | PROT_EXEC,
                      MAP_SHARED | MAP_FIXED, reader, 0);
  close(reader);
  return mapped == reinterpret_cast<void*>(page);
}

void RemapPageWritable(uint32_t page) {
  uint8_t bytes[0x1000];
  std::memcpy(bytes, reinterpret_cast<void*>(page), sizeof bytes);
  mmap(reinterpret_cast<void*>(page), 0x1000, PROT_READ | PROT_WRITE | PROT_EXEC,
       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
  std::memcpy(reinterpret_cast<void*>(page), bytes, sizeof bytes);
}

class HookTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MapFakeImage());
    BuildFakeImage();
  }
};

TEST_F(HookTableTest, EveryRowRecognisesTheAssembledListingOfItsSite) {
  ASSERT_EQ(HookTable().size(), 31u);
  for (const HookSite& row : HookTable()) {
    const std::span<const uint8_t> listing = OriginalListing(row.number);
    EXPECT_EQ(row.site, OriginalSite(row.number)) << "row " << row.number;
    ASSERT_EQ(listing.size(), row.end - row.site) << "row " << row.number;
    EXPECT_GE(row.end - row.site, 5u);
    EXPECT_LE(row.code.length, listing.size());
    EXPECT_TRUE(SiteHoldsOriginalCode(row, listing.data())) << "row " << row.number;
  }
}

TEST_F(HookTableTest, RowsAreInOrderAndSitesDoNotOverlap) {
  for (size_t i = 0; i < HookTable().size(); ++i) {
    const HookSite& row = HookTable()[i];
    EXPECT_EQ(row.number, static_cast<int32_t>(i + 1));
    for (const HookSite& other : HookTable()) {
      if (&other == &row) continue;
      EXPECT_TRUE(row.end <= other.site || other.end <= row.site) << row.number << other.number;
    }
  }
}

// A row's stub goes through the slots of its own row only: installing it fills those.
TEST_F(HookTableTest, InstallingARowFillsTheSlotsOfItsStub) {
  for (const HookSite& row : HookTable()) {
    for (const StubSlot& slot : StubSlots()) *slot.slot = 0;
    ASSERT_EQ(InstallHook(row), HookResult::Installed) << "row " << row.number;
    for (const StubSlot& slot : StubSlots()) {
      EXPECT_EQ(*slot.slot, slot.row == row.number ? slot.address : 0u) << "row " << row.number;
    }
  }
}

TEST_F(HookTableTest, EitherEncodingOfARegisterMoveIsAccepted) {
  const HookSite& row = Row(10);
  uint8_t code[7] = {0x51, 0x56, 0x89, 0xCE, 0x8B, 0x4E, 0x08};  // mov esi,ecx as 89 CE
  EXPECT_TRUE(SiteHoldsOriginalCode(row, code));
  code[3] = 0xCF;  // mov edi,ecx
  EXPECT_FALSE(SiteHoldsOriginalCode(row, code));
}

TEST_F(HookTableTest, RelativeTargetsAndAbsoluteOperandsMustMatchTheGameBuild) {
  uint8_t call[5];
  std::memcpy(call, OriginalListing(3).data(), 5);
  call[1] ^= 0x10;  // a call to another function
  EXPECT_FALSE(SiteHoldsOriginalCode(Row(3), call));

  uint8_t load[6];
  std::memcpy(load, OriginalListing(16).data(), 6);
  load[5] = 0x02;  // mov ecx,[022E35C8h]
  EXPECT_FALSE(SiteHoldsOriginalCode(Row(16), load));
}

TEST_F(HookTableTest, ReplacedBytesBeyondTheInstructionsMustBePadding) {
  const struct {
    int row;
    std::vector<uint8_t> code;
    bool accepted;
  } forms[] = {
      // mov byte [ecx+40h],0; mov [ecx+44h],eax in 7 bytes, then padding
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0x90, 0x90, 0x90}, true},
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0xCC, 0xCC, 0xCC}, true},
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0x90, 0xCC, 0x90}, true},
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0x0F, 0x1F, 0x00}, true},
      // one of the two with a 32-bit displacement fills the ten bytes
      {18, {0xC6, 0x81, 0x40, 0x00, 0x00, 0x00, 0x00, 0x89, 0x41, 0x44}, true},
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x81, 0x44, 0x00, 0x00, 0x00}, true},
      // an instruction after them would be lost
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0x8B, 0x45, 0x08}, false},
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0x90, 0x90, 0x55}, false},
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0x0F, 0x1F, 0x40}, false},  // 4-byte NOP cut
      {18, {0xC6, 0x41, 0x40, 0x00, 0x89, 0x41, 0x44, 0x90, 0x0F, 0x1F}, false},
      {18, {0xC6, 0x81, 0x40, 0x00, 0x00, 0x00, 0x00, 0x89, 0x41, 0x48}, false},  // [ecx+48h]
      {18, {0xC6, 0x41, 0x40, 0x01, 0x89, 0x81, 0x44, 0x00, 0x00, 0x00}, false},  // byte 1
      // pop esi; ret 4, then the byte the patch also covers
      {23, {0x5E, 0xC2, 0x04, 0x00, 0xCC}, true},
      {23, {0x5E, 0xC2, 0x04, 0x00, 0x90}, true},
      {23, {0x5E, 0xC2, 0x04, 0x00, 0x55}, false},  // the next function begins there
      {23, {0x5E, 0xC2, 0x08, 0x00, 0xCC}, false},
  };
  for (const auto& form : forms) {
    const HookSite& row = Row(form.row);
    ASSERT_EQ(form.code.size(), row.end - row.site);
    std::memcpy(reinterpret_cast<void*>(row.site), form.code.data(), form.code.size());
    ::testing::Message bytes;
    for (uint8_t byte : form.code) bytes << std::hex << int(byte) << ' ';
    EXPECT_EQ(InstallHook(row), form.accepted ? HookResult::Installed : HookResult::CodeDiffers)
        << "row " << form.row << ": " << bytes;
    if (!form.accepted) {
      EXPECT_EQ(std::memcmp(reinterpret_cast<void*>(row.site), form.code.data(), form.code.size()), 0);
    }
  }
}

TEST_F(HookTableTest, PitchClampHooksAreInstalledAllOrNone) {
  const std::span<const HookSite> group = HookTable().subspan(28, 3);
  ASSERT_EQ(group[0].number, 29);
  for (const HookSite& row : HookTable()) {
    EXPECT_EQ(row.group != HookGroup::None, row.number >= 29) << "row " << row.number;
  }

  // The code at 30 differs: 29 and 31 stay as the game has them, and all three are named.
  Poke<uint8_t>(Row(30).site + 2, 0x10);  // sub esp,10h
  Plugin& plugin = Plugin::Instance();
  plugin.ReplaceSession(plugin.NewSession());
  InstallHooks();
  const std::unique_ptr<Session> session = plugin.ReplaceSession(nullptr);
  for (int number : {29, 31}) {
    const std::span<const uint8_t> listing = OriginalListing(number);
    EXPECT_EQ(std::memcmp(reinterpret_cast<void*>(Row(number).site), listing.data(), listing.size()), 0);
  }
  const std::vector<std::string> expected = {
      "Vantrel: Hook 29 at 006AE61F was not installed: the hooks it works with could not all be "
      "installed.",
      "Vantrel: Hook 30 at 0083C9C0 was not installed: the game code there is not what was "
      "expected.",
      "Vantrel: Hook 31 at 0083CC25 was not installed: the hooks it works with could not all be "
      "installed."};
  EXPECT_EQ(std::vector<std::string>(session->messageQueue.begin(), session->messageQueue.end()),
            expected);

  // 30 and 31 share a page that cannot be made writable: 29, written first, is put back.
  BuildFakeImage();
  const uint32_t page = Row(30).site & ~0xFFFu;
  ASSERT_EQ(page, Row(31).site & ~0xFFFu);
  ASSERT_TRUE(MapPageReadOnly(page));
  const std::vector<HookResult> results = InstallTogether(group);
  RemapPageWritable(page);
  EXPECT_EQ(results, (std::vector<HookResult>{HookResult::PartnerMissing, HookResult::NotWritable,
                                              HookResult::PartnerMissing}));
  const std::span<const uint8_t> listing = OriginalListing(29);
  EXPECT_EQ(std::memcmp(reinterpret_cast<void*>(Row(29).site), listing.data(), listing.size()), 0);
}

TEST_F(HookTableTest, AForeignPatchIsLeftAloneAndNamedWhileTheOthersInstall) {
  const HookSite& foreign = Row(5);
  const uint8_t foreignJump[7] = {0xE9, 0x10, 0x20, 0x30, 0x00, 0x90, 0x90};
  std::memcpy(reinterpret_cast<void*>(foreign.site), foreignJump, sizeof foreignJump);

  Plugin& plugin = Plugin::Instance();
  plugin.ReplaceSession(plugin.NewSession());
  InstallHooks();
  const std::unique_ptr<Session> session = plugin.ReplaceSession(nullptr);

  EXPECT_EQ(std::memcmp(reinterpret_cast<void*>(foreign.site), foreignJump, 7), 0);
  ASSERT_EQ(session->messageQueue.size(), 1u);
  EXPECT_EQ(session->messageQueue.front(),
            "Vantrel: Hook 5 at 00838C37 was not installed: the game code there is not what "
            "was expected.");
  for (const HookSite& row : HookTable()) {
    if (row.number == 5) continue;
    EXPECT_EQ(Peek<uint8_t>(row.site), 0xE9) << "row " << row.number;
    EXPECT_EQ(JumpTarget(row.site), reinterpret_cast<uint32_t>(row.stub)) << row.number;
    for (uint32_t filler = row.site + 5; filler < row.end; ++filler) {
      EXPECT_EQ(Peek<uint8_t>(filler), 0x90) << "row " << row.number;
    }
  }
}

}  // namespace
