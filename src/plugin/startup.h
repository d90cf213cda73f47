#pragma once
// Plug-in start-up and reload, and the two functions the loader calls.

#include <cstdint>

// What the loader hands to Query and Load (only two fields are read).
struct LoaderInterface {
  uint32_t interfaceVersion;  // +0
  uint32_t runtimeVersion;    // +4, must be 0x09200000
  uint32_t extenderVersion;   // +8
  uint32_t isEditor;          // +12, non-zero in the editor
};

// What Query fills in.
struct PluginInfo {
  uint32_t infoVersion;  // +0, written as 1
  const char* name;      // +4, "vantrel"
  uint32_t version;      // +8, written as 2
};

constexpr uint32_t kAcceptedRuntimeVersion = 0x09200000;

bool WOBKPlugin_Query(const LoaderInterface* loader, PluginInfo* info);
// Start-up without the hooks; the DLL's export installs them afterwards.
bool WOBKPlugin_Load(const LoaderInterface* loader);
