#pragma once
// Every site again with what the game may hand it on a bad day: no player, no camera or
// camera state, a target without 3D data, a null actor, a configuration reloaded between two
// hooks, allocations that fail inside the operation the stub calls, and no configuration file.
// Each time the game must go on at the site's end or the branch a case allows, with its
// registers and stack as that case leaves them; the console may show one line about it; no
// exception may leave the DLL; and the next frame must work.

#include <string>
#include <vector>

#include "dll_tier.h"
#include "plugin/hooks/hooks.h"
#include "plugin_world.h"
#include "site_oracle.h"

struct BadDay;

class BadDays {
 public:
  BadDays(DllTier& tier, PluginWorld& world, SiteBench& bench)
      : tier_(tier), world_(world), bench_(bench) {}

  // Every bad day but the missing file.
  void RunWithConfiguration();
  // The file gone; last, since nothing can load a configuration after it.
  void RunWithoutConfiguration();
  // Prints one line per site; returns the sites that failed.
  int Report() const;

 private:
  void Run(int row, const BadDay& day);

  DllTier& tier_;
  PluginWorld& world_;
  SiteBench& bench_;
  std::vector<std::string> failures_[kHookCount + 1];
};
