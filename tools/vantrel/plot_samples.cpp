#include "plot_samples.h"

#include <cmath>
#include <mutex>

#include "plugin/plugin.h"
#include "profiles/profile.h"
#include "profiles/session.h"
#include "trace_sources.h"
#include "values/registry.h"

namespace {

double Number(const ValueData& data) {
  if (!data.isSet) return NAN;
  switch (data.type) {
    case ValueType::Bool:
      return data.AsBool() ? 1 : 0;
    case ValueType::Int:
      return data.AsInt();
    case ValueType::Float:
      return data.AsFloat();
    default:
      return NAN;
  }
}

void SampleLane(Plugin& plugin, TraceLane& lane, const GameSide& game, bool framed) {
  if (const TraceSource* source = FindTraceSource(lane.name)) {
    double numbers[kMaxTraceColumns];
    source->read(game, numbers);
    for (size_t i = 0; i < lane.samples.size(); ++i) {
      lane.samples[i].push_back(framed ? numbers[i] : NAN);
    }
    return;
  }
  ValueRegistry* values = plugin.currentRegistry ? &plugin.currentRegistry->values : nullptr;
  Value* value = values ? FindValue(*values, lane.name) : nullptr;
  const ValueData data = value ? PeekValue(*values, *value, true) : ValueData{};
  lane.samples[0].push_back(Number(data));
  if (lane.isText) lane.texts[0].push_back(data.isSet ? data.text : "");
}

}  // namespace

PlotSamples StartSamples(const std::vector<std::string>& trace) {
  Plugin& plugin = Plugin::Instance();
  std::lock_guard<std::recursive_mutex> lock(plugin.pluginMutex);
  Session* session = plugin.currentRegistry.get();
  PlotSamples samples;
  for (const std::string& name : trace) {
    TraceLane lane;
    lane.name = name;
    if (const TraceSource* source = FindTraceSource(name)) {
      for (const std::string& column : TraceColumnNames(*source)) {
        const size_t dot = column.find('.');
        lane.columns.push_back(dot == std::string::npos ? column : column.substr(dot + 1));
      }
    } else {
      const Value* value = session ? FindValue(session->values, name) : nullptr;
      lane.known = value != nullptr;
      lane.isText = value != nullptr && value->type == ValueType::String;
      lane.columns = {name};
    }
    lane.samples.resize(lane.columns.size());
    lane.texts.resize(lane.isText ? 1 : 0);
    samples.lanes.push_back(std::move(lane));
  }
  if (session != nullptr) {
    for (const auto& profile : session->profiles) {
      if (profile.type == ProfileType::Parallel) samples.parallelNames.push_back(profile.name);
    }
  }
  samples.parallelActive.resize(samples.parallelNames.size());
  return samples;
}

void TakeSample(PlotSamples& samples, double seconds, const GameSide& game, bool framed) {
  Plugin& plugin = Plugin::Instance();
  std::lock_guard<std::recursive_mutex> lock(plugin.pluginMutex);
  samples.times.push_back(seconds);
  for (TraceLane& lane : samples.lanes) SampleLane(plugin, lane, game, framed);
  const Session* registry = plugin.currentRegistry.get();
  const Profile* current = registry ? registry->currentProfile : nullptr;
  samples.currentProfile.push_back(current ? current->name : "None");
  size_t parallel = 0;
  if (registry != nullptr) {
    for (const auto& profile : registry->profiles) {
      if (profile.type != ProfileType::Parallel) continue;
      // A reload may change the profiles; lanes keep the names of the first load.
      if (parallel < samples.parallelActive.size()) {
        samples.parallelActive[parallel].push_back(profile.active != 0);
      }
      ++parallel;
    }
  }
  for (; parallel < samples.parallelActive.size(); ++parallel) {
    samples.parallelActive[parallel].push_back(false);
  }
}

void RecordEvent(PlotSamples& samples, double seconds, const ScenarioLine& line, bool failed) {
  const std::string& directive = line.words[0];
  const bool passage = directive == "frame" || directive == "frametime" || directive == "frames" ||
                       directive == "wait";
  if (passage || (directive == "expect" && !failed)) return;
  samples.events.push_back({seconds, std::to_string(line.number) + ": " + line.text, failed});
}
