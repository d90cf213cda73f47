// The two functions the loader calls. They are exported as WOBKPlugin_Query and
// WOBKPlugin_Load (exports.def), undecorated and cdecl; the plain start-up functions of the
// same names stay C++ functions of the core.
#include "plugin/hooks/contained.h"
#include "plugin/hooks/hooks.h"
#include "plugin/startup.h"

extern "C" bool VantrelQuery(const LoaderInterface* loader, PluginInfo* info) {
  if (!loader || !info) return false;  // a refusal rather than a crash in the loader's process
  return AnswerOr(false, [&] { return WOBKPlugin_Query(loader, info); });
}

// Start-up first, so the first frame that reaches a hook finds a session and a controller.
// A start-up that fails leaves no hook behind and says so. Once a jump is written the DLL
// must stay loaded, so a failure while installing (the groups are never left half done)
// still answers true: the hooks in place work.
extern "C" bool VantrelLoad(const LoaderInterface* loader) {
  if (!AnswerOr(false, [&] { return WOBKPlugin_Load(loader); })) return false;
  Contained([] { InstallHooks(); });
  return true;
}
