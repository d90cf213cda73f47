#include "game_directives.h"

#include "plugin/plugin.h"
#include "world_edits.h"

bool Look(ScenarioRun& run, DirectiveArgs& args) {
  float dx = 0, dy = 0;
  if (!args.Number(1, dx) || !args.Number(2, dy)) return false;
  run.pendingLook[0] += dx;
  run.pendingLook[1] += dy;
  return true;
}

bool MountStart(ScenarioRun&, DirectiveArgs&) {
  Plugin::Instance().OnMountStart(FollowedActor());
  return true;
}

bool DismountStart(ScenarioRun&, DirectiveArgs&) {
  Plugin::Instance().OnDismountStart(FollowedActor());
  return true;
}
