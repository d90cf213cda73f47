#pragma once
// Scenario directives that set the simulated game's own numbers around the hooks, or make the
// game reach a hook at once (game_side.h plays them).

#include "scenario_directives.h"

bool Look(ScenarioRun& run, DirectiveArgs& args);          // look DX DY
bool SetLookScale(ScenarioRun& run, DirectiveArgs& args);  // lookscale DEG
bool SetGameNumbers(ScenarioRun& run,
                    DirectiveArgs& args);                   // game pitchlimits|offsets|fov|nearclip
bool SetGameCamera(ScenarioRun& run, DirectiveArgs& args);  // game camera position|rotation
bool Zoom(ScenarioRun& run, DirectiveArgs& args);           // zoom in|out
bool Toggle(ScenarioRun& run, DirectiveArgs& args);         // toggle view|state
bool SwitchCamera(ScenarioRun& run, DirectiveArgs& args);   // switch camera ID
bool SetFaceCrosshair(ScenarioRun& run, DirectiveArgs& args);  // facecrosshair on|off
bool SendInputEvent(ScenarioRun& run, DirectiveArgs& args);    // input event KIND
bool MountStart(ScenarioRun& run, DirectiveArgs& args);        // mount
bool DismountStart(ScenarioRun& run, DirectiveArgs& args);     // dismount
