#pragma once
// The DLL's state as a case needs it, made as a player makes it: a configuration file, loaded
// again when a profile of the present one runs Reload. That profile holds when the player's
// base form has the id the harness sets, so every configuration waits for an id of its own.

#include <cstdint>
#include <string>

#include "site_cases.h"
#include "site_runner.h"

class PluginWorld {
 public:
  // The configuration Load reads, for `world`.
  bool WriteFirst(const CaseWorld& world);
  // One frame through the patched main-loop site; false when it does not come back there.
  bool Frame();
  // Loads the configuration for `world` and lets a frame settle it; false when the reload
  // never happened.
  bool Establish(const CaseWorld& world);
  // Loads a configuration of the default profile's `defaults` lines and `profiles`, after
  // which the reload profile is added.
  bool Reload(const std::string& defaults, const std::string& profiles);
  // Loads the last configuration again.
  bool ReloadSame();
  // Reloads with the file gone.
  bool ReloadWithoutFile();
  // Makes the present configuration ask for a reload at its next profile pass.
  void RequestReload();

  // Console lines so far, and whether `line` was printed since line number `from`.
  size_t ConsoleLines() const;
  bool PrintedSince(size_t from, const std::string& line) const;

  // The default profile's lines for `world`, and the profiles whose switches cases look for.
  static std::string Defaults(const CaseWorld& world);
  static const char kCaseProfiles[];
  // The horizontal turn a world with a queued turn queues, in look-input units.
  static constexpr int kQueuedTurn = 4;
  // The field of view a world with a view refresh waiting sets.
  static constexpr float kFieldOfView = 80;

 private:
  bool Write(const std::string& defaults, const std::string& profiles, uint32_t trigger);
  bool AwaitReload();
  size_t Loads() const;

  GameStack stack_;
  uint32_t trigger_ = 1;             // the base form id the loaded configuration reloads at
  std::string defaults_, profiles_;  // of the last configuration written
};
