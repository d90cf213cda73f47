#pragma once
// Starting the plug-in on the simulated game, as the game's loader would.

#include <string>
#include <vector>

#include "values/value.h"

// Resets the simulated game, points the loader at configPath and runs Query and Load.
void StartPlugin(const std::string& configPath);

// Whether the last start found no configuration file: the loader queued "File is missing!".
bool ConfigurationMissing();

// The lines the simulated console showed since the previous call, taken off the console so a
// long scenario keeps it small. Only the plug-in's frame prints queued lines (and a reload
// drops the old session's), so this is what the game shows.
std::vector<std::string> TakeConsoleLines();

// The live session's value of that name, or null (no session or no such value).
Value* FindSessionValue(const std::string& name);
// That value as the plug-in would read it, but without its side effects (no base captured);
// unset without a session or such a value.
ValueData ReadSessionValue(const std::string& name);
// A value as scenarios and traces show it: true, 12, 0.5, 'text'.
std::string ValueText(const ValueData& data);

// True for a line of the configuration-error channel, "Vantrel(N): ".
bool IsConfigurationError(const std::string& line);
