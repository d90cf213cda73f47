#pragma once
// What scenario directives act on besides the simulated world: the run's frames and clock, its
// expectations, and the console lines it has seen. `vantrel simulate` plays one.

#include <cstdint>
#include <string>
#include <vector>

#include "game_side.h"

class ScenarioRun {
 public:
  // Plays `count` frames of `frameSeconds` each (fewer when an observer ends the run early).
  virtual void RunFrames(int32_t count) = 0;
  // Counts an expectation; a failed one is printed with its line and what the run showed.
  virtual void Check(bool ok, const std::string& expected, const std::string& got) = 0;

  float frameSeconds = 1.0f / 60;   // the game's frame time B, which the plug-in ticks by
  float activeSeconds = 1.0f / 60;  // frame time A, which the mount windows count
  GameSide game;                    // the game's side of the hooks
  std::vector<std::string> consoleSinceExpect;  // shown since the last "expect console"
  std::vector<std::string> consoleShown;        // shown in the whole run

 protected:
  ~ScenarioRun() = default;
};
