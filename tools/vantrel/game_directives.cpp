// Scenario directives that set the simulated game's numbers around the hooks.

#include "game_directives.h"

#include "sim_world.h"
#include "world_edits.h"

namespace {

constexpr float kRadiansPerDegree = 3.14159265358979323846f / 180;

}  // namespace

bool Look(ScenarioRun& run, DirectiveArgs& args) {
  float dx = 0, dy = 0;
  if (!args.Number(1, dx) || !args.Number(2, dy)) return false;
  run.game.pendingLook[0] += dx;
  run.game.pendingLook[1] += dy;
  return true;
}

bool SetLookScale(ScenarioRun& run, DirectiveArgs& args) {
  return args.Number(1, run.game.lookDegreesPerUnit);
}

bool SetGameNumbers(ScenarioRun& run, DirectiveArgs& args) {
  const std::string& what = args[1];
  float v[3] = {0, 0, 0};
  for (size_t i = 2; i < args.size(); ++i) {
    if (!args.Number(i, v[i - 2])) return false;
  }
  SimWorld& world = Sim();
  if (what == "pitchlimits") {
    run.game.ownPitchLimits = {v[0] * kRadiansPerDegree, v[1] * kRadiansPerDegree};
  } else if (what == "offsets") {
    run.game.offsets = {v[0], v[1], v[2]};
  } else if (what == "nearclip") {
    world.nearClip = v[0];
  } else if (!world.playerCamera) {
    return args.Fail("the camera is removed");
  } else {
    world.playerCamera->fieldOfView = v[0];
  }
  return true;
}

bool SetGameCamera(ScenarioRun&, DirectiveArgs& args) {
  HostCamera* camera = Sim().playerCamera;
  if (!camera) return args.Fail("the camera is removed");
  if (args[2] == "position") {
    float v[3];
    if (!args.Point(3, v)) return false;
    camera->position = {v[0], v[1], v[2]};
    return true;
  }
  float yaw = 0, pitch = 0;
  if (!args.Number(3, yaw) || !args.Number(4, pitch)) return false;
  camera->rotation = YawPitchRotation(yaw, pitch);
  return true;
}

bool Zoom(ScenarioRun& run, DirectiveArgs& args) {
  if (args[1] == "in")
    run.game.ZoomIn();
  else
    run.game.ZoomOut();
  return true;
}

bool Toggle(ScenarioRun& run, DirectiveArgs& args) {
  if (args[1] == "view")
    run.game.ToggleView();
  else
    run.game.ToggleState();
  return true;
}

bool SwitchCamera(ScenarioRun& run, DirectiveArgs& args) {
  int32_t id = 0;
  if (!args.Whole(2, id)) return false;
  if (!Sim().playerCamera) return args.Fail("the camera is removed");
  run.game.SwitchCamera(id);
  return true;
}

bool SetFaceCrosshair(ScenarioRun& run, DirectiveArgs& args) {
  run.game.faceCrosshairFlag = args[1] == "on";
  return true;
}

bool SendInputEvent(ScenarioRun& run, DirectiveArgs& args) {
  int32_t kind = 0;
  if (!args.Whole(2, kind)) return false;
  if (kind < 0 || kind > 0xFF) return args.Fail("'" + args[2] + "' is not a byte");
  run.game.InputEvent(kind);
  return true;
}

bool MountStart(ScenarioRun& run, DirectiveArgs&) {
  run.game.MountStart();
  return true;
}

bool DismountStart(ScenarioRun& run, DirectiveArgs&) {
  run.game.DismountStart();
  return true;
}
