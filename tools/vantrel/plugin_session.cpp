#include "plugin_session.h"

#include <cctype>
#include <filesystem>

#include "config/loader.h"
#include "plugin/startup.h"
#include "sim_world.h"

#ifndef VANTREL_SOURCE_DIR
#define VANTREL_SOURCE_DIR "."
#endif

std::string BundledExample(const std::string& fileName) {
  const std::filesystem::path local = std::filesystem::path("examples") / fileName;
  if (std::filesystem::exists(local)) return local.string();
  return (std::filesystem::path(VANTREL_SOURCE_DIR) / "examples" / fileName).string();
}

void StartPlugin(const std::string& configPath) {
  Sim().Reset();
  ResetPluginForTests();
  SetConfigurationPath(configPath);
  LoaderInterface loader{1, kAcceptedRuntimeVersion, 0, 0};
  PluginInfo info{};
  if (WOBKPlugin_Query(&loader, &info)) WOBKPlugin_Load(&loader);
}

std::vector<std::string> TakeConsoleLines() {
  std::vector<std::string> lines;
  // Taken lines leave the console, so a long scenario keeps it small.
  if (Sim().console) lines.swap(Sim().console->lines);
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
