#pragma once
// The scenario checks: "expect ..." directives. Each compares what the run shows with what the
// line expects and counts the result; false only for a line it cannot read.

#include "scenario_directives.h"

bool ExpectProfile(ScenarioRun& run, DirectiveArgs& args);      // expect profile NAME
bool ExpectParallel(ScenarioRun& run, DirectiveArgs& args);     // expect active|inactive NAME
bool ExpectValue(ScenarioRun& run, DirectiveArgs& args);        // expect value NAME LITERAL|unset
bool ExpectConsole(ScenarioRun& run, DirectiveArgs& args);      // expect console TEXT
bool ExpectNoConsole(ScenarioRun& run, DirectiveArgs& args);    // expect no console TEXT
bool ExpectCameraActive(ScenarioRun& run, DirectiveArgs& args);  // expect camera active true|false
bool ExpectCameraVector(ScenarioRun& run, DirectiveArgs& args);  // position|forward X Y Z
bool ExpectFocus(ScenarioRun& run, DirectiveArgs& args);        // expect focus X Y Z|none
bool ExpectTarget(ScenarioRun& run, DirectiveArgs& args);       // expect target FORMID
