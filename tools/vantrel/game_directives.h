#pragma once
// Scenario directives that make the simulated game reach the plug-in's hooks.

#include "scenario_directives.h"

bool Look(ScenarioRun& run, DirectiveArgs& args);          // look DX DY
bool MountStart(ScenarioRun& run, DirectiveArgs& args);    // mount
bool DismountStart(ScenarioRun& run, DirectiveArgs& args); // dismount
