#pragma once
// What the plot records of a run: the traced values and the profile slots after every frame.

#include <string>
#include <vector>

// One traced name: a value (one column), "position" (3) or "rotation" (9).
struct TraceLane {
  std::string name;
  std::vector<std::string> columns;
  std::vector<std::vector<double>> samples;     // per column; NaN while unset
  std::vector<std::vector<std::string>> texts;  // text values: per sample, in column 0
  bool isText = false;
  bool known = true;
};

struct PlotSamples {
  std::vector<double> times;
  std::vector<TraceLane> lanes;
  std::vector<std::string> currentProfile;        // per sample; "None" without one
  std::vector<std::string> parallelNames;         // file order
  std::vector<std::vector<bool>> parallelActive;  // per parallel profile, per sample
};

// Lanes for the traced names, without samples yet.
PlotSamples StartSamples(const std::vector<std::string>& trace);
// Appends one sample at `seconds` from the registry, its profiles and the controller.
void TakeSample(PlotSamples& samples, double seconds);
