#pragma once
// What the plot records of a run: the traced names and the profile slots after every frame,
// and the scenario's events.

#include <string>
#include <vector>

#include "game_side.h"
#include "scenario.h"

// One traced name: a value (one column) or a trace source (its columns).
struct TraceLane {
  std::string name;
  std::vector<std::string> columns;             // labels of the columns
  std::vector<std::vector<double>> samples;     // per column; NaN while there is nothing
  std::vector<std::vector<std::string>> texts;  // text values: per sample, in column 0
  bool isText = false;
  bool known = true;
};

// A scenario line worth marking on the time axis: not a mere passage of time, not a check
// that held.
struct PlotEvent {
  double seconds = 0;
  std::string text;
  bool failed = false;  // an expectation that did not hold
};

struct PlotSamples {
  std::vector<double> times;
  std::vector<TraceLane> lanes;
  std::vector<std::string> currentProfile;        // per sample; "None" without one
  std::vector<std::string> parallelNames;         // file order
  std::vector<std::vector<bool>> parallelActive;  // per parallel profile, per sample
  std::vector<PlotEvent> events;
};

// Lanes for the traced names, without samples yet.
PlotSamples StartSamples(const std::vector<std::string>& trace);
// Appends one sample at `seconds` from the session, the controller and the game. Before the
// first frame (`framed` false) the camera and the game have shown nothing: their lanes get
// no number, so that none starts from a value the run never had.
void TakeSample(PlotSamples& samples, double seconds, const GameSide& game, bool framed);
// Keeps a played line as an event when it is one.
void RecordEvent(PlotSamples& samples, double seconds, const ScenarioLine& line, bool failed);
