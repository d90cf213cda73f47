#pragma once
// Starting the plug-in on the simulated game, as the game's loader would.

#include <string>
#include <vector>

// The bundled file of that name in examples/ (found from the working directory or the source
// tree the tool was built from).
std::string BundledExample(const std::string& fileName);

// Resets the simulated game, points the loader at configPath and runs Query and Load.
void StartPlugin(const std::string& configPath);

// The lines the simulated console showed since the previous call. Only the plug-in's frame
// prints queued lines (and a reload drops the old registry's), so this is what the game shows.
std::vector<std::string> TakeConsoleLines();

// True for a line of the configuration-error channel, "Vantrel(N): ".
bool IsConfigurationError(const std::string& line);
