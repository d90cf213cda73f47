#pragma once
// Watches a simulated run between frames: `simulate --explain` and `simulate --plot`.

#include "game_side.h"
#include "scenario.h"

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // After loading (at 0 s, before any frame) and after every frame, with the seconds played so
  // far and the game's side of the hooks.
  virtual void Observe(double seconds, const GameSide& game) = 0;
  // After each scenario line has been played at `seconds`; `failed` when it was an
  // expectation that did not hold.
  virtual void Played(double /*seconds*/, const ScenarioLine& /*line*/, bool /*failed*/) {}
  // True when the run should stop here: the rest of the scenario is not played.
  virtual bool Done(double seconds) const = 0;
  // Once, when the run ends; false when the observer failed (its message is on stderr).
  virtual bool Finish(double seconds) = 0;
};
