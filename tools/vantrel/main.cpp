// vantrel: the configuration writer's tool.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "explain.h"
#include "plot.h"
#include "plugin_session.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vantrel check [FILE]\n"
               "       vantrel lint [--format text|gcc|json] [--strict] [FILE]\n"
               "       vantrel simulate [--trace NAME,NAME...]\n"
               "                        [--explain SECONDS | --plot FILE.svg] [CONFIG SCENARIO]\n"
               "Without files, the bundled examples/Vantrel.txt (and examples/scenario.txt).\n");
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

bool ReadSeconds(const std::string& text, double& seconds) {
  char* end = nullptr;
  seconds = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && seconds >= 0 && seconds < 1e9;
}

int Lint(std::vector<std::string> args) {
  FindingFormat format = FindingFormat::Text;
  bool strict = false;
  while (!args.empty() && args[0].rfind("--", 0) == 0) {
    if (args[0] == "--strict") {
      strict = true;
      args.erase(args.begin());
    } else if (args[0] == "--format" && args.size() >= 2 &&
               (args[1] == "text" || args[1] == "gcc" || args[1] == "json")) {
      format = args[1] == "json" ? FindingFormat::Json
               : args[1] == "gcc" ? FindingFormat::Gcc
                                  : FindingFormat::Text;
      args.erase(args.begin(), args.begin() + 2);
    } else {
      return Usage();
    }
  }
  if (args.size() > 1) return Usage();
  return RunLint(args.empty() ? BundledExample("Vantrel.txt") : args[0], format, strict);
}

int Simulate(std::vector<std::string> args) {
  std::vector<std::string> trace;
  std::string explainAt, plotPath;
  while (args.size() >= 2 &&
         (args[0] == "--trace" || args[0] == "--explain" || args[0] == "--plot")) {
    if (args[0] == "--trace") trace = SplitCommas(args[1]);
    if (args[0] == "--explain") explainAt = args[1];
    if (args[0] == "--plot") plotPath = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() == 1 || args.size() > 2 || (!explainAt.empty() && !plotPath.empty())) {
    return Usage();
  }
  if (args.empty()) args = {BundledExample("Vantrel.txt"), BundledExample("scenario.txt")};
  std::unique_ptr<RunObserver> observer;
  if (!explainAt.empty()) {
    double seconds = 0;
    if (!ReadSeconds(explainAt, seconds)) return Usage();
    observer = MakeExplainer(seconds);
  } else if (!plotPath.empty()) {
    observer = MakePlotter(plotPath, trace, args[0] + " with " + args[1]);
  }
  return RunSimulate(args[0], args[1], trace, observer.get());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string command = args[0];
  args.erase(args.begin());
  if (command == "check" && args.size() <= 1) {
    return RunCheck(args.empty() ? BundledExample("Vantrel.txt") : args[0]);
  }
  if (command == "lint") return Lint(args);
  if (command == "simulate") return Simulate(args);
  return Usage();
}
