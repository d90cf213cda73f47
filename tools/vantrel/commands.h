#pragma once

#include <string>
#include <vector>


// Where the game reads its configuration, relative to its own folder.
#ifdef _WIN32
inline constexpr const char* kGameConfigurationPath = "Data\\WOBK\\Plugins\\Vantrel.txt";
#else
inline constexpr const char* kGameConfigurationPath = "Data/WOBK/Plugins/Vantrel.txt";
#endif

class RunObserver;

int RunCheck(const std::string& configPath);
// vantrel lint ARGS...: the exit status (1 on an error left, or with --strict any finding; 2 for
// a wrong command line or a file that cannot be read).
int RunLint(const std::vector<std::string>& args);

struct SimulateOptions {
  std::string configPath;
  std::string scenarioPath;
  // Value names and trace names (trace_sources.h) printed as CSV whenever one changes.
  std::vector<std::string> trace;
  std::string traceOut;  // the file that takes the CSV; empty: stdout, among the other lines
  RunObserver* observer = nullptr;  // watches the run between frames and may end it early
};

int RunSimulate(const SimulateOptions& options);

// The language server on standard input and output, until the client's exit; 0 after a
// shutdown request, 1 otherwise.
int RunLsp();

// Whether --trace accepts the name: a value name (case ignored) or a trace name.
bool IsTraceName(const std::string& name);
