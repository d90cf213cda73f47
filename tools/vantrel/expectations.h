#pragma once
// The scenario checks: "expect ..." directives. Each compares what the run shows with what the
// line expects and counts the result; false only for a line it cannot read.

#include "scenario_directives.h"

bool ExpectProfile(ScenarioRun& run, DirectiveArgs& args);       // expect profile NAME
bool ExpectParallel(ScenarioRun& run, DirectiveArgs& args);      // expect active|inactive NAME
bool ExpectValue(ScenarioRun& run, DirectiveArgs& args);         // expect value NAME LITERAL|unset
bool ExpectConsole(ScenarioRun& run, DirectiveArgs& args);       // expect console TEXT
bool ExpectNoConsole(ScenarioRun& run, DirectiveArgs& args);     // expect no console TEXT
bool ExpectCameraActive(ScenarioRun& run, DirectiveArgs& args);  // expect camera active true|false
bool ExpectCameraVector(ScenarioRun& run, DirectiveArgs& args);  // position|forward X Y Z
bool ExpectFocus(ScenarioRun& run, DirectiveArgs& args);         // expect focus X Y Z|none
bool ExpectTarget(ScenarioRun& run, DirectiveArgs& args);        // expect target FORMID

// What the simulated game did at its hooks (game_expectations.cpp).
bool ExpectLook(ScenarioRun& run, DirectiveArgs& args);           // expect look DX DY
bool ExpectGameLook(ScenarioRun& run, DirectiveArgs& args);       // expect game look YAW PITCH
bool ExpectGameCamera(ScenarioRun& run, DirectiveArgs& args);     // position|forward X Y Z
bool ExpectGameNumber(ScenarioRun& run, DirectiveArgs& args);     // game fov|nearclip X
bool ExpectGameOffsets(ScenarioRun& run, DirectiveArgs& args);    // expect game offsets X Y Z
bool ExpectGameView(ScenarioRun& run, DirectiveArgs& args);       // expect game view first|third
bool ExpectCameraState(ScenarioRun& run, DirectiveArgs& args);    // expect camera state ID
bool ExpectPitchLimits(ScenarioRun& run, DirectiveArgs& args);    // expect pitchlimits MIN MAX
bool ExpectHeadTrack(ScenarioRun& run, DirectiveArgs& args);      // headtrack FORMID X Y Z|none
bool ExpectTracked(ScenarioRun& run, DirectiveArgs& args);        // tracked FORMID true|false
bool ExpectGraph(ScenarioRun& run, DirectiveArgs& args);          // graph NAME true|false
bool ExpectFaceCrosshair(ScenarioRun& run, DirectiveArgs& args);  // facecrosshair STATE ARG
bool ExpectRefreshes(ScenarioRun& run, DirectiveArgs& args);      // expect refreshes N
bool ExpectInput(ScenarioRun& run, DirectiveArgs& args);          // input KIND handled|skipped
bool ExpectFirstPerson(ScenarioRun& run, DirectiveArgs& args);    // firstperson true|false
bool ExpectAnimEvent(ScenarioRun& run, DirectiveArgs& args);      // animevent FORMID NAME|none
