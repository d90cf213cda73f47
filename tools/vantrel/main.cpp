// vantrel: the configuration writer's tool. Results go to stdout, errors to stderr.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "explain.h"
#include "help.h"
#include "plot.h"
#include "plugin/version.h"

namespace {

int UsageError(const std::string& message) {
  std::fprintf(stderr, "vantrel: %s\n", message.c_str());
  PrintUsage(stderr);
  return 2;
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> names;
  std::istringstream in(text);
  std::string name;
  while (std::getline(in, name, ',')) {
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

int Check(const std::vector<std::string>& args) {
  if (args.size() > 1) return UsageError("check takes at most one FILE");
  return RunCheck(args.empty() ? kGameConfigurationPath : args[0]);
}

bool ReadSeconds(const std::string& text, double& seconds) {
  char* end = nullptr;
  seconds = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && seconds >= 0 && seconds < 1e9;
}

int Simulate(const std::vector<std::string>& args) {
  SimulateOptions options;
  std::vector<std::string> files;
  std::string explainAt, plotPath;
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--trace" && hasValue) {
      options.trace = SplitCommas(args[++i]);
    } else if (args[i] == "--trace-out" && hasValue) {
      options.traceOut = args[++i];
    } else if (args[i] == "--explain" && hasValue) {
      explainAt = args[++i];
    } else if (args[i] == "--plot" && hasValue) {
      plotPath = args[++i];
    } else if (args[i].rfind("--", 0) == 0) {
      return UsageError("simulate: unknown option or missing argument '" + args[i] + "'");
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) return UsageError("simulate needs CONFIG and SCENARIO");
  for (const std::string& name : options.trace) {
    if (!IsTraceName(name)) {
      std::fprintf(stderr, "vantrel: --trace: '%s' is %s\n", name.c_str(),
                   "neither a value name nor a trace name (vantrel help scenario lists them)");
      return 2;
    }
  }
  options.configPath = files[0];
  options.scenarioPath = files[1];
  if (!explainAt.empty() && !plotPath.empty()) {
    return UsageError("simulate takes --explain or --plot, not both");
  }
  std::unique_ptr<RunObserver> observer;
  double seconds = 0;
  if (!explainAt.empty() && !ReadSeconds(explainAt, seconds)) {
    return UsageError("simulate: --explain needs seconds of 0 or more");
  }
  if (!explainAt.empty()) observer = MakeExplainer(seconds);
  if (!plotPath.empty()) {
    observer = MakePlotter(plotPath, options.trace, files[0] + " with " + files[1]);
  }
  options.observer = observer.get();
  return RunSimulate(options);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return UsageError("a command is expected");
  const std::string command = args[0];
  args.erase(args.begin());
  if (command == "--help" || command == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  if (command == "--version" && args.empty()) {
    std::printf("vantrel %s\n", kReleaseVersion);
    return 0;
  }
  if (command == "help") return RunHelp(args);
  if (command == "check") return Check(args);
  if (command == "lint") return RunLint(args);
  if (command == "simulate") return Simulate(args);
  if (command == "lsp") {
    // Clients that start servers by transport name add --stdio, which is the only one.
    if (!args.empty() && !(args.size() == 1 && args[0] == "--stdio")) {
      return UsageError("lsp takes no arguments");
    }
    return RunLsp();
  }
  return UsageError("unknown command '" + command + "'");
}
