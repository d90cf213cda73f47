// The two functions the loader calls. They are exported as WOBKPlugin_Query and
// WOBKPlugin_Load (exports.def), undecorated and cdecl; the plain start-up functions of the
// same names stay C++ functions of the core.
#include "plugin/hooks/hooks.h"
#include "plugin/startup.h"

extern "C" bool VantrelQuery(const LoaderInterface* loader, PluginInfo* info) {
  if (!loader || !info) return false;  // a refusal rather than a crash in the loader's process
  return WOBKPlugin_Query(loader, info);
}

// Start-up first, so the first frame that reaches a hook finds a registry and a controller.
extern "C" bool VantrelLoad(const LoaderInterface* loader) {
  WOBKPlugin_Load(loader);
  InstallHooks();
  return true;
}
