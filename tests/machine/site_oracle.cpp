// The oracle: a hooked run against the game's original code, register by register, byte by byte.

#include "site_oracle.h"

#include <cstdio>
#include <cstring>

#include "fake_game.h"
#include "host/game/addresses.h"

namespace {

constexpr uint32_t kInterruptFlag = 0x200;  // reads back set whatever is loaded

uint32_t Address(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

// Writes `edit` into the copy of memory or stack that begins at `start`, where it falls.
void ApplyTo(std::vector<uint8_t>& bytes, uint32_t start, const MemoryEdit& edit) {
  for (size_t i = 0; i < edit.bytes.size(); ++i) {
    const uint32_t at = edit.address + i;
    if (at >= start && at - start < bytes.size()) bytes[at - start] = edit.bytes[i];
  }
}

void CompareWord(const char* name, uint32_t hooked, uint32_t expected,
                 std::vector<std::string>& differences) {
  if (hooked != expected) {
    differences.push_back(std::string(name) + " " + Hex(hooked) + " instead of " + Hex(expected));
  }
}

void CompareBytes(const char* name, const std::vector<uint8_t>& hooked,
                  const std::vector<uint8_t>& expected, std::vector<std::string>& differences) {
  if (hooked == expected) return;
  size_t at = 0;
  while (at < hooked.size() && at < expected.size() && hooked[at] == expected[at]) ++at;
  differences.push_back(std::string(name) + " differs at +" + Hex(at));
}

}  // namespace

std::vector<std::string> CompareMachineState(const SiteRun& run, const SiteRun& expected) {
  std::vector<std::string> differences;
  const CpuState& h = run.cpu;
  const CpuState& x = expected.cpu;
  CompareWord("continues at", h.reached, x.reached, differences);
  CompareWord("EAX", h.eax, x.eax, differences);
  CompareWord("ECX", h.ecx, x.ecx, differences);
  CompareWord("EDX", h.edx, x.edx, differences);
  CompareWord("EBX", h.ebx, x.ebx, differences);
  CompareWord("ESP", h.esp, x.esp, differences);
  CompareWord("EBP", h.ebp, x.ebp, differences);
  CompareWord("ESI", h.esi, x.esi, differences);
  CompareWord("EDI", h.edi, x.edi, differences);
  CompareWord("EFLAGS", h.eflags, x.eflags, differences);
  CompareWord("x87 depth", h.fpuDepth, x.fpuDepth, differences);
  if (x.fpuDepth > 0 && std::memcmp(&h.st0, &x.st0, sizeof h.st0) != 0) {
    uint32_t runBits, expectedBits;
    std::memcpy(&runBits, &h.st0, 4);
    std::memcpy(&expectedBits, &x.st0, 4);
    CompareWord("ST0", runBits, expectedBits, differences);
  }
  CompareBytes("stack", run.stack, expected.stack, differences);
  CompareWord("game calls", run.calleeCount, expected.calleeCount, differences);
  CompareWord("ESP in the game call", run.calleeEsp, expected.calleeEsp, differences);
  return differences;
}

CpuState SiteBench::Input(uint32_t flags) const {
  const uint32_t memory = Address(memory_);
  CpuState in{};
  in.eax = memory + 0x100;
  in.ecx = memory + 0x200;
  in.edx = memory + 0x300;
  in.ebx = memory + 0x400;
  in.ebp = memory + 0x500;
  in.esi = memory + 0x600;
  in.edi = memory + 0x700;
  in.esp = stack_.Top() - 0x1000;
  in.eflags = flags;
  return in;
}

uint32_t SiteBench::Spare() const { return Address(memory_) + 0x1000; }

void SiteBench::Prepare(const std::vector<MemoryEdit>& edits) {
  const uint32_t stackStart = stack_.Top() - kStackUsed;
  for (uint32_t i = 0; i < kStackUsed; i += 4) Poke<uint32_t>(stackStart + i, 0x40000000 | i << 4);
  for (uint32_t i = 0; i < kMemorySize; i += 4)
    Poke<uint32_t>(Address(memory_) + i, 0x41000000 | i << 4);
  for (const MemoryEdit& edit : edits) {
    std::memcpy(reinterpret_cast<void*>(edit.address), edit.bytes.data(), edit.bytes.size());
  }
  fakeCalleeCount = 0;
  fakeCalleeEsp = 0;
}

SiteRun SiteBench::Capture(const CpuState& cpu) const {
  SiteRun run;
  run.cpu = cpu;
  if (cpu.esp >= stack_.Top() - kStackUsed && cpu.esp <= stack_.Top()) {
    run.stack.assign(reinterpret_cast<const uint8_t*>(cpu.esp),
                     reinterpret_cast<const uint8_t*>(stack_.Top()));
  }
  run.memory.assign(memory_, memory_ + kMemorySize);
  run.calleeCount = fakeCalleeCount;
  run.calleeEsp = fakeCalleeEsp;
  return run;
}

SiteRun SiteBench::Run(uint32_t address, const CpuState& in, const std::vector<MemoryEdit>& edits) {
  Prepare(edits);
  CpuState out{};
  RunSite(address, &in, &out);
  return Capture(out);
}

SiteRun SiteBench::Snapshot(const CpuState& in, const std::vector<MemoryEdit>& edits) {
  Prepare(edits);
  CpuState at = in;
  at.eflags |= kInterruptFlag;
  return Capture(at);
}

SiteRun ExpectedRun(SiteTier& tier, SiteBench& bench, int row, const CaseExpectation& expectation,
                    const std::vector<MemoryEdit>& edits) {
  SiteRun expected;
  if (expectation.skipTo) {
    expected = bench.Snapshot(expectation.in, edits);
    expected.cpu.reached = *expectation.skipTo;
  } else {
    std::vector<MemoryEdit> goldenEdits = edits;
    goldenEdits.insert(goldenEdits.end(), expectation.goldenEdits.begin(),
                       expectation.goldenEdits.end());
    tier.PutOriginalCode(row);
    expected = bench.Run(OriginalSite(row), expectation.goldenIn, goldenEdits);
  }
  if (expectation.reach) expected.cpu.reached = *expectation.reach;
  if (expectation.eax) expected.cpu.eax = *expectation.eax;
  for (const MemoryEdit& write : expectation.writes) {
    ApplyTo(expected.stack, expected.cpu.esp, write);
    ApplyTo(expected.memory, bench.MemoryStart(), write);
  }
  return expected;
}

std::vector<SiteRun> AllowedOutcomes(SiteTier& tier, SiteBench& bench, int row, const CpuState& in,
                                     const std::vector<MemoryEdit>& edits) {
  std::vector<SiteRun> outcomes;
  for (const SiteCase* siteCase : SiteCasesOf(row)) {
    CaseExpectation expectation(in, bench.Spare(), tier.Effects());
    siteCase->expect(expectation);
    outcomes.push_back(ExpectedRun(tier, bench, row, expectation, edits));
  }
  return outcomes;
}

std::vector<std::string> CheckCase(SiteTier& tier, SiteBench& bench, const SiteCase& siteCase,
                                   uint32_t flags) {
  const int row = siteCase.row;
  CpuState in = bench.Input(flags);
  std::vector<MemoryEdit> edits;
  fakeCalleeResult = 0;
  CaseSetup setup{in, bench.Spare(), edits};
  siteCase.setup(setup);
  tier.Arrange(siteCase);
  CaseExpectation expectation(in, bench.Spare(), tier.Effects());
  siteCase.expect(expectation);

  const SiteRun expected = ExpectedRun(tier, bench, row, expectation, edits);

  // The patched site, inside the clamping function when the case says so.
  const CpuState bracketIn = bench.Input(kFlagsClear);
  if (siteCase.insideClamp) {
    tier.PutPatch(HookPitchClampEnter::number);
    bench.Run(OriginalSite(HookPitchClampEnter::number), bracketIn, {});
  }
  tier.PutPatch(row);
  const SiteRun hooked = bench.Run(OriginalSite(row), in, edits);
  tier.AfterHookedRun();
  if (siteCase.insideClamp) {
    tier.PutPatch(HookPitchClampExit::number);
    bench.Run(OriginalSite(HookPitchClampExit::number), bracketIn, {});
  }

  std::vector<std::string> differences = CompareMachineState(hooked, expected);
  CompareBytes("memory", hooked.memory, expected.memory, differences);
  tier.CheckMore(siteCase, expectation, differences);
  return differences;
}

std::vector<std::string> CheckSite(SiteTier& tier, SiteBench& bench, int row) {
  std::vector<std::string> failures;
  if (SiteCasesOf(row).empty()) failures.push_back("no cases for this row");
  for (const SiteCase* siteCase : SiteCasesOf(row)) {
    std::vector<uint32_t> flagSets = {kFlagsSet, kFlagsClear};
    if (siteCase->onlyFlags) flagSets = {*siteCase->onlyFlags};
    for (uint32_t flags : flagSets) {
      for (const std::string& difference : CheckCase(tier, bench, *siteCase, flags)) {
        failures.push_back(std::string(siteCase->what) + " (flags " + Hex(flags) +
                           "): " + difference);
      }
    }
  }
  return failures;
}
