#pragma once
// Watches a simulated run between frames: `simulate --explain` and `simulate --plot`.

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // After loading (at 0 s) and after every frame, with the seconds played so far.
  virtual void Observe(double seconds) = 0;
  // True when the run should stop here: the rest of the scenario is not played.
  virtual bool Done(double seconds) const = 0;
  // Once, when the run ends; false when the observer failed (its message is on stderr).
  virtual bool Finish(double seconds) = 0;
};
