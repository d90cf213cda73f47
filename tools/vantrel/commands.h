#pragma once

#include <string>
#include <vector>

int RunCheck(const std::string& configPath);
// trace: value names (and "position", "rotation") printed as CSV whenever one changes.
int RunSimulate(const std::string& configPath, const std::string& scenarioPath,
                const std::vector<std::string>& trace);
