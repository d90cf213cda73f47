#pragma once

#include <string>
#include <vector>

#include "finding.h"

// Where the game reads its configuration, relative to its own folder.
#ifdef _WIN32
inline constexpr const char* kGameConfigurationPath = "Data\\WOBK\\Plugins\\Vantrel.txt";
#else
inline constexpr const char* kGameConfigurationPath = "Data/WOBK/Plugins/Vantrel.txt";
#endif

class RunObserver;

int RunCheck(const std::string& configPath);
// Findings of the load and of the profile rules; 1 on an error (or, strict, any finding).
int RunLint(const std::string& configPath, FindingFormat format, bool strict);

struct SimulateOptions {
  std::string configPath;
  std::string scenarioPath;
  // Value names (and "position", "rotation") printed as CSV whenever one changes.
  std::vector<std::string> trace;
  std::string traceOut;  // the file that takes the CSV; empty: stdout, among the other lines
  RunObserver* observer = nullptr;  // watches the run between frames and may end it early
};

int RunSimulate(const SimulateOptions& options);

// The language server on standard input and output, until the client's exit; 0 after a
// shutdown request, 1 otherwise.
int RunLsp();

// Whether --trace accepts the name: a value name (case ignored), "position" or "rotation".
bool IsTraceName(const std::string& name);
