#include "plugin/startup.h"

#include <memory>

#include "camera/controller.h"
#include "config/diagnostics.h"
#include "config/loader.h"
#include "profiles/key_bindings.h"
#include "values/registry.h"

namespace {

// 1 in the program's initial data; the first start-up clears it.
bool firstStart = true;

// The program version, kept as the double of the single-precision constant.
const double kProgramVersion = static_cast<double>(2.7f);

}  // namespace

bool WOBKPlugin_Query(const LoaderInterface* loader, PluginInfo* info) {
  info->infoVersion = 1;
  info->name = "vantrel";
  info->version = 2;
  if (loader->isEditor != 0) return false;
  return loader->runtimeVersion == kAcceptedRuntimeVersion;
}

bool WOBKPlugin_Load(const LoaderInterface*) {
  InitializeOrReload();
  return true;
}

void InitializeOrReload() {
  const bool isFirstStart = firstStart;
  firstStart = false;

  ValueRegistry* old = currentRegistry;
  if (old && old->loading) {
    LogAtLine(old, 0, "Trying to reload configuration while already loading!");
    return;
  }
  if (old) old->inPluginView = 0;

  ClearKeyBindings();
  CameraController::Instance().targetRefFormId = 0;

  // The new registry takes over at once; the old one lives until the hand-over is done.
  auto fresh = std::make_unique<ValueRegistry>();
  currentRegistry = fresh.get();
  try {
    if (isFirstStart) Log(currentRegistry, "Initializing QARN version %.1f", kProgramVersion);
    if (old) CarryOverCapturedBases(*old, *currentRegistry);
    currentRegistry->loading = 1;
    LoadConfiguration();
    currentRegistry->loading = 0;
  } catch (...) {
    currentRegistry = old;  // out of memory: the old registry (or none) stays, never a freed one
    throw;
  }

  fresh.release();  // owned through currentRegistry from now on
  delete old;
}

void ResetPluginForTests() {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  ClearKeyBindings();
  delete currentRegistry;
  currentRegistry = nullptr;
  firstStart = true;
}
