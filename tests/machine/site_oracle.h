#pragma once
// The oracle both the machine tier and the DLL tier judge a patched site by: the game's own
// code at the site and the patched site, run from the same machine state on the same game
// stack and memory, must leave the same registers, flags, x87 stack, stack and memory, apart
// from what the case says the hook changes on purpose.

#include <cstdint>
#include <string>
#include <vector>

#include "site_cases.h"
#include "site_runner.h"

struct SiteRun {
  CpuState cpu{};
  std::vector<uint8_t> stack;   // from the final stack pointer to the top of the stack
  std::vector<uint8_t> memory;  // the bench's game memory
  uint32_t calleeCount = 0;     // calls of the game functions the site calls
  uint32_t calleeEsp = 0;       // the stack pointer the last one saw
};

// A game stack and a block of game memory, both refilled with patterns of normal floats before
// every run, so that every byte a run changes shows and loaded x87 values compare exactly.
class SiteBench {
 public:
  static constexpr uint32_t kMemorySize = 0x2000;
  static constexpr uint32_t kStackUsed = 0x2000;  // the part of the stack refilled and compared

  // Registers point into the memory, the stack pointer 4 KiB below the top of the stack.
  CpuState Input(uint32_t flags) const;
  // Game memory that no register of the input points at (0x200 bytes).
  uint32_t Spare() const;
  uint32_t MemoryStart() const { return reinterpret_cast<uint32_t>(memory_); }
  // Runs the code at `address` from `in` after the edits.
  SiteRun Run(uint32_t address, const CpuState& in, const std::vector<MemoryEdit>& edits);
  // The state as it stands at `in` after the edits, without running anything.
  SiteRun Snapshot(const CpuState& in, const std::vector<MemoryEdit>& edits);

 private:
  void Prepare(const std::vector<MemoryEdit>& edits);
  SiteRun Capture(const CpuState& cpu) const;

  GameStack stack_;
  alignas(16) uint8_t memory_[kMemorySize];
};

// What runs the sites: the game's code, the patch, and the plug-in behind it.
class SiteTier {
 public:
  virtual ~SiteTier() = default;
  virtual void PutOriginalCode(int row) = 0;
  virtual void PutPatch(int row) = 0;
  // Makes the plug-in hold the case's world (or give its answer).
  virtual void Arrange(const SiteCase& siteCase) = 0;
  virtual const SiteEffects& Effects() const = 0;
  virtual void AfterHookedRun() {}
  // Checks of the tier's own after a hooked run of the case (the bridge calls, what the
  // plug-in does afterwards); differences are appended.
  virtual void CheckMore(const SiteCase&, const CaseExpectation&, std::vector<std::string>&) {}
};

// What the game's own code leaves from the case's input, changed where the hook changes it on
// purpose.
SiteRun ExpectedRun(SiteTier& tier, SiteBench& bench, int row, const CaseExpectation& expectation,
                    const std::vector<MemoryEdit>& edits);
// The outcomes the row's cases allow from `in` after `edits`, one per case.
std::vector<SiteRun> AllowedOutcomes(SiteTier& tier, SiteBench& bench, int row, const CpuState& in,
                                     const std::vector<MemoryEdit>& edits);
// What differs in where the run continues, its registers, flags, x87 and stack, and the game
// calls it made (memory is left out).
std::vector<std::string> CompareMachineState(const SiteRun& run, const SiteRun& expected);

// Runs one case with the given input flags; returns what differs, empty when all is right.
std::vector<std::string> CheckCase(SiteTier& tier, SiteBench& bench, const SiteCase& siteCase,
                                   uint32_t flags);
// Every case of the row, with each of the input flag sets the case allows.
std::vector<std::string> CheckSite(SiteTier& tier, SiteBench& bench, int row);

// The arithmetic flags, and the direction flag, all set or all clear (IF is always set).
constexpr uint32_t kFlagsSet = 0xCD7;
constexpr uint32_t kFlagsClear = 0x202;
