#include "plugin_session.h"

#include <cctype>
#include <filesystem>

#include "config/loader.h"
#include "plugin/startup.h"
#include "sim_world.h"

#ifndef VANTREL_SOURCE_DIR
#define VANTREL_SOURCE_DIR "."
#endif

namespace {
size_t consoleLinesTaken = 0;
}

std::string BundledExample(const std::string& fileName) {
  const std::filesystem::path local = std::filesystem::path("examples") / fileName;
  if (std::filesystem::exists(local)) return local.string();
  return (std::filesystem::path(VANTREL_SOURCE_DIR) / "examples" / fileName).string();
}

void StartPlugin(const std::string& configPath) {
  Sim().Reset();
  ResetPluginForTests();
  consoleLinesTaken = 0;
  SetConfigurationPath(configPath);
  LoaderInterface loader{1, kAcceptedRuntimeVersion, 0, 0};
  PluginInfo info{};
  if (WOBKPlugin_Query(&loader, &info)) WOBKPlugin_Load(&loader);
}

std::vector<std::string> TakeConsoleLines() {
  std::vector<std::string> lines;
  if (!Sim().console) return lines;
  const std::vector<std::string>& shown = Sim().console->lines;
  if (consoleLinesTaken > shown.size()) consoleLinesTaken = 0;
  lines.assign(shown.begin() + static_cast<std::ptrdiff_t>(consoleLinesTaken), shown.end());
  consoleLinesTaken = shown.size();
  return lines;
}

bool IsConfigurationError(const std::string& line) {
  const std::string prefix = "Vantrel(";
  if (line.compare(0, prefix.size(), prefix) != 0) return false;
  size_t i = prefix.size();
  if (i < line.size() && line[i] == '-') ++i;
  const size_t digits = i;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
  return i > digits && line.compare(i, 3, "): ") == 0;
}
