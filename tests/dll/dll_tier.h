#pragma once
// The shared site cases against the real DLL: the patches are the ones Load wrote, the
// plug-in's answers come from the configuration and the fake game the cases ask for.

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/hooks/hooks.h"
#include "plugin_world.h"
#include "site_oracle.h"

class DllTier : public SiteTier {
 public:
  DllTier(PluginWorld& world, SiteBench& bench);

  // Keeps the bytes Load wrote at every site, to put back after a run of the game's code.
  void KeepPatches();

  void PutOriginalCode(int row) override;
  void PutPatch(int row) override;
  void Arrange(const SiteCase& siteCase) override;
  const SiteEffects& Effects() const override { return effects_; }
  void CheckMore(const SiteCase& siteCase, const CaseExpectation&,
                 std::vector<std::string>& differences) override;

  // Whether a view site hands the game the head camera's position and rotation.
  bool ShowsHeadCamera();

 private:
  // Takes a view refresh an earlier configuration left waiting.
  void TakeWaitingViewRefresh();

  PluginWorld& world_;
  SiteBench& bench_;
  SiteEffects effects_{};
  std::vector<uint8_t> patches_[kHookCount + 1];
  bool arranged_ = false;
  size_t consoleMark_ = 0;
  size_t weaponRefreshMark_ = 0;
};

// Prints one line per site, "site NN: ok" or "site NN: FAILED ..."; returns the failed sites.
int RunSiteLines(DllTier& tier, SiteBench& bench);
