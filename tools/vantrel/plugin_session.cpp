// Starting the plug-in on the simulated game, as the game's loader would.

#include "plugin_session.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "config/loader.h"
#include "plugin/plugin.h"
#include "plugin/startup.h"
#include "sim_world.h"
#include "values/registry.h"

void StartPlugin(const std::string& configPath) {
  Sim().Reset();
  Plugin::Instance().Reset();
  SetConfigurationPath(configPath);
  LoaderInterface loader{1, kAcceptedRuntimeVersion, 0, 0};
  PluginInfo info{};
  if (WOBKPlugin_Query(&loader, &info)) WOBKPlugin_Load(&loader);
}

bool ConfigurationMissing() {
  return Plugin::Instance().WithSession([](const Session& session) {
    const auto& queue = session.messageQueue;
    return std::find(queue.begin(), queue.end(), "Vantrel(0): File is missing!") != queue.end();
  });
}

std::vector<std::string> TakeConsoleLines() {
  std::vector<std::string> lines;
  // Taken lines leave the console, so a long scenario keeps it small.
  if (Sim().console) lines.swap(Sim().console->lines);
  return lines;
}

Value* FindSessionValue(const std::string& name) {
  return Plugin::Instance().WithSession(
      [&](Session& session) { return FindValue(session.values, name); });
}

ValueData ReadSessionValue(const std::string& name) {
  return Plugin::Instance().WithSession([&](Session& session) {
    Value* value = FindValue(session.values, name);
    return value ? PeekValue(session.values, *value, true) : ValueData{};
  });
}

std::string ValueText(const ValueData& data) {
  char buffer[32];
  switch (data.type) {
    case ValueType::Bool: return data.AsBool() ? "true" : "false";
    case ValueType::Int: return std::to_string(data.AsInt());
    case ValueType::Float:
      std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(data.AsFloat()));
      return buffer;
    case ValueType::String: return "'" + data.text + "'";
    default: return "?";
  }
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
