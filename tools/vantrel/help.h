#pragma once
// vantrel help: the reference of every value and command, drawn from the value table and the
// command table, so that the two cannot drift apart.

#include <cstdio>
#include <string>
#include <vector>

// The command-line summary of the tool.
void PrintUsage(std::FILE* out);

// No arguments: the usage and the grouped list of values and commands. NAME (case ignored): that
// entry; an unknown NAME prints the nearest names on stderr and returns 1. --markdown: the
// reference section of docs/configuration.md. Returns the exit status.
int RunHelp(const std::vector<std::string>& args);
