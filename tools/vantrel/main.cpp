// vantrel: the configuration writer's tool.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "plugin_session.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vantrel check [FILE]\n"
               "       vantrel simulate [--trace NAME,NAME...] [CONFIG SCENARIO]\n"
               "       vantrel --version\n"
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

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string command = args[0];
  args.erase(args.begin());
  if (command == "--version" && args.empty()) {
    std::printf("vantrel %s\n", VANTREL_VERSION);
    return 0;
  }
  if (command == "check" && args.size() <= 1) {
    return RunCheck(args.empty() ? BundledExample("Vantrel.txt") : args[0]);
  }
  if (command != "simulate") return Usage();
  std::vector<std::string> trace;
  if (args.size() >= 2 && args[0] == "--trace") {
    trace = SplitCommas(args[1]);
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() == 2) return RunSimulate(args[0], args[1], trace);
  if (args.empty()) {
    return RunSimulate(BundledExample("Vantrel.txt"), BundledExample("scenario.txt"), trace);
  }
  return Usage();
}
