#pragma once

#include <string>
#include <vector>

#include "finding.h"

class RunObserver;

int RunCheck(const std::string& configPath);
// Findings of the load and of the profile rules; 1 on an error (or, strict, any finding).
int RunLint(const std::string& configPath, FindingFormat format, bool strict);
// trace: value names (and "position", "rotation") printed as CSV whenever one changes.
// observer, when given, watches the run between frames and may end it early.
int RunSimulate(const std::string& configPath, const std::string& scenarioPath,
                const std::vector<std::string>& trace, RunObserver* observer = nullptr);
