#pragma once
// The hooks on the game's threads: one runs frames while others run the camera, look-input,
// pitch-clamp and focus-pick sites, each a bounded number of times, within a time limit.

#include "plugin_world.h"

// Prints "threads: ok" or what failed; returns the number of failures.
int RunHooksOnThreads(PluginWorld& world);
