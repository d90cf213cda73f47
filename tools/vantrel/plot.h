#pragma once
// `simulate --plot FILE.svg`: the run drawn over time, one lane per traced value and one band
// per profile slot, as a self-contained SVG.

#include <memory>
#include <string>
#include <vector>

#include "run_observer.h"

// trace: the value names (and "position", "rotation") drawn as lanes.
std::unique_ptr<RunObserver> MakePlotter(std::string svgPath, std::vector<std::string> trace,
                                         std::string title);
