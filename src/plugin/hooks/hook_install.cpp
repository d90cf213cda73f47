// Installing the hooks: each row's patch, its group installed together or not at all, the report.

#include <vector>

#include "base/diagnostics.h"
#include "plugin/hooks/hooks.h"
#include "plugin/hooks/write_jump.h"
#include "plugin/plugin.h"

namespace {

bool IsInstalled(HookResult result) {
  return result == HookResult::Installed || result == HookResult::InstalledLeftWritable;
}

const uint8_t* SiteCode(const HookSite& row) { return reinterpret_cast<const uint8_t*>(row.site); }

// The rows from `first` that belong to its group (only itself when it has none).
std::span<const HookSite> GroupAt(std::span<const HookSite> table, size_t first) {
  size_t count = 1;
  if (table[first].group != HookGroup::None) {
    while (first + count < table.size() && table[first + count].group == table[first].group) {
      ++count;
    }
  }
  return table.subspan(first, count);
}

void Report(const HookSite& row, HookResult result) {
  const unsigned site = static_cast<unsigned>(row.site);
  Plugin::Instance().WithSession([&](Session& session) {
    MessageQueue& console = session.messageQueue;
    if (result == HookResult::CodeDiffers) {
      Log(console,
          "Hook %d at %08X was not installed: the game code there is not what was expected.",
          row.number, site);
    } else if (result == HookResult::PartnerMissing) {
      Log(console,
          "Hook %d at %08X was not installed: the hooks it works with could not all be "
          "installed.",
          row.number, site);
    }
  });
}

}  // namespace

HookResult InstallHook(const HookSite& row) {
  for (const StubSlot& slot : StubSlots()) {
    if (slot.row == row.number) *slot.slot = slot.address;
  }
  // Code that differs (another plug-in patched it first, or another game build) would crash
  // in the re-executed instructions, so such a site is left as it is.
  if (!SiteHoldsOriginalCode(row, SiteCode(row))) return HookResult::CodeDiffers;
  switch (WriteJump(row.site, row.end, reinterpret_cast<uint32_t>(row.stub))) {
    case PatchResult::Written:
      return HookResult::Installed;
    case PatchResult::WrittenLeftWritable:
      return HookResult::InstalledLeftWritable;
    case PatchResult::NotWritten:
      break;
  }
  return HookResult::NotWritable;
}

std::vector<HookResult> InstallTogether(std::span<const HookSite> rows) {
  std::vector<HookResult> results(rows.size(), HookResult::PartnerMissing);
  bool allExpected = true;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!SiteHoldsOriginalCode(rows[i], SiteCode(rows[i]))) {
      results[i] = HookResult::CodeDiffers;
      allExpected = false;
    }
  }
  if (!allExpected) return results;

  // Whatever allocates happens before the first write, so running out of memory cannot leave
  // a group half installed.
  std::vector<std::vector<uint8_t>> originals;
  for (const HookSite& row : rows) {
    originals.emplace_back(SiteCode(row), SiteCode(row) + (row.end - row.site));
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    results[i] = InstallHook(rows[i]);
    if (IsInstalled(results[i])) continue;
    for (size_t undo = 0; undo < i; ++undo) {
      const auto& code = originals[undo];
      if (WriteCode(rows[undo].site, code.data(), code.size()) != PatchResult::NotWritten) {
        results[undo] = HookResult::PartnerMissing;
      }
    }
    break;
  }
  return results;
}

void InstallHooks() {
  const std::span<const HookSite> table = HookTable();
  for (size_t first = 0; first < table.size();) {
    const std::span<const HookSite> rows = GroupAt(table, first);
    const std::vector<HookResult> results = InstallTogether(rows);
    for (size_t i = 0; i < rows.size(); ++i) Report(rows[i], results[i]);
    first += rows.size();
  }
}
