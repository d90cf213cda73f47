// What the plot records of a run, frame by frame.

#include "plot_samples.h"

#include <cmath>

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

bool IsValueLane(const TraceLane& lane) { return FindTraceSource(lane.name) == nullptr; }

// The lanes of the camera and the game, sampled whether or not a session is loaded; before
// the first frame they have nothing to show.
void SampleSource(const GameSide& game, bool framed, TraceLane& lane) {
  const TraceSource* source = FindTraceSource(lane.name);
  if (source == nullptr) return;
  double numbers[kMaxTraceColumns];
  source->read(game, numbers);
  for (size_t i = 0; i < lane.samples.size(); ++i) {
    lane.samples[i].push_back(framed ? numbers[i] : NAN);
  }
}

// The value lanes and the profile slots; a reload may change the profiles, but the slots keep
// the names of the first load.
void SampleSession(Session& session, PlotSamples& samples) {
  for (TraceLane& lane : samples.lanes) {
    Value* value = IsValueLane(lane) ? FindValue(session.values, lane.name) : nullptr;
    if (value == nullptr) continue;
    const ValueData data = PeekValue(session.values, *value, true);
    lane.samples[0].push_back(Number(data));
    if (lane.isText) lane.texts[0].push_back(data.isSet ? data.text : "");
  }
  const Profile* current = session.currentProfile;
  samples.currentProfile.push_back(current ? current->name : "None");
  size_t parallel = 0;
  for (const auto& profile : session.profiles) {
    if (profile.type != ProfileType::Parallel) continue;
    if (parallel < samples.parallelActive.size()) {
      samples.parallelActive[parallel].push_back(profile.active != 0);
    }
    ++parallel;
  }
}

// What a sample lacks (no session, a value it does not know) is NaN, no text, no profile.
void PadTo(size_t count, PlotSamples& samples) {
  for (TraceLane& lane : samples.lanes) {
    for (auto& column : lane.samples) column.resize(count, NAN);
    for (auto& texts : lane.texts) texts.resize(count);
  }
  samples.currentProfile.resize(count, "None");
  for (auto& active : samples.parallelActive) active.resize(count, false);
}

}  // namespace

PlotSamples StartSamples(const std::vector<std::string>& trace) {
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
      lane.columns = {name};
      lane.known = false;  // until the session names it
    }
    lane.samples.resize(lane.columns.size());
    samples.lanes.push_back(std::move(lane));
  }
  Plugin::Instance().WithSession([&](Session& session) {
    for (TraceLane& lane : samples.lanes) {
      if (!IsValueLane(lane)) continue;
      const Value* value = FindValue(session.values, lane.name);
      lane.known = value != nullptr;
      lane.isText = value != nullptr && value->type == ValueType::String;
      lane.texts.resize(lane.isText ? 1 : 0);
    }
    for (const auto& profile : session.profiles) {
      if (profile.type == ProfileType::Parallel) samples.parallelNames.push_back(profile.name);
    }
  });
  samples.parallelActive.resize(samples.parallelNames.size());
  return samples;
}

void TakeSample(PlotSamples& samples, double seconds, const GameSide& game, bool framed) {
  samples.times.push_back(seconds);
  for (TraceLane& lane : samples.lanes) SampleSource(game, framed, lane);
  Plugin::Instance().WithSession([&](Session& session) { SampleSession(session, samples); });
  PadTo(samples.times.size(), samples);
}

void RecordEvent(PlotSamples& samples, double seconds, const ScenarioLine& line, bool failed) {
  const std::string& directive = line.words[0];
  const bool passage = directive == "frame" || directive == "frametime" ||
                       directive == "frames" || directive == "wait";
  if (passage || (directive == "expect" && !failed)) return;
  samples.events.push_back({seconds, std::to_string(line.number) + ": " + line.text, failed});
}
