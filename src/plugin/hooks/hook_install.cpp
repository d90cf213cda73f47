#include "base/diagnostics.h"
#include "plugin/hooks/hooks.h"
#include "plugin/hooks/write_jump.h"
#include "plugin/plugin.h"

HookResult InstallHook(const HookSite& row) {
  for (const StubSlot& slot : row.slots) {
    if (slot.slot) *slot.slot = slot.address;
  }
  // Code that differs (another plug-in patched it first, or another game build) would crash
  // in the re-executed instructions, so such a site is left as it is.
  if (!SiteHoldsOriginalCode(row, reinterpret_cast<const uint8_t*>(row.site))) {
    return HookResult::CodeDiffers;
  }
  const bool written = WriteJump(row.site, row.end, reinterpret_cast<uint32_t>(row.stub));
  return written ? HookResult::Installed : HookResult::NotWritable;
}

void InstallHooks() {
  for (const HookSite& row : HookTable()) {
    if (InstallHook(row) == HookResult::CodeDiffers) {
      Plugin& plugin = Plugin::Instance();
      std::lock_guard<std::recursive_mutex> lock(plugin.pluginMutex);
      if (!plugin.currentRegistry) continue;
      Log(plugin.currentRegistry->messageQueue,
          "Hook %d at %08X was not installed: the game code there is not what was expected.",
          row.number, static_cast<unsigned>(row.site));
    }
  }
}
