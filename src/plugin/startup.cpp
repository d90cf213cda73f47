// The two functions the loader calls: Query and Load.

#include "plugin/startup.h"

#include "plugin/plugin.h"

bool WOBKPlugin_Query(const LoaderInterface* loader, PluginInfo* info) {
  info->infoVersion = 1;
  info->name = "vantrel";
  info->version = 2;
  if (loader->isEditor != 0) return false;
  return loader->runtimeVersion == kAcceptedRuntimeVersion;
}

bool WOBKPlugin_Load(const LoaderInterface*) {
  Plugin::Instance().InitializeOrReload();
  return true;
}
