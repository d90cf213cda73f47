#pragma once
// Starting the plug-in on the simulated game, as the game's loader would.

#include <string>
#include <vector>

// Resets the simulated game, points the loader at configPath and runs Query and Load.
void StartPlugin(const std::string& configPath);

// Hands the queued console lines to the simulated console and returns the lines it showed
// since the previous call.
std::vector<std::string> TakeConsoleLines();

// True for a line of the configuration-error channel, "Vantrel(N): ".
bool IsConfigurationError(const std::string& line);
