#pragma once
// Runs game code in the fake image from a chosen machine state and captures the state at the
// address where it continues. Every continuation address holds a landing pad (CALL to
// SiteReached); every call target the sites name holds a jump to FakeCallee.

#include <cstdint>

struct CpuState {
  uint32_t eax, ecx, edx, ebx, esp, ebp, esi, edi;
  uint32_t eflags;
  uint32_t reached;   // the landing pad that was reached
  uint32_t fpuDepth;  // x87 registers left loaded (popped by the capture)
  float st0;          // the top one, when fpuDepth > 0
};

extern "C" {
// Loads `in` (flags included) and jumps to `address`; returns once a landing pad is reached.
void RunSite(uint32_t address, const CpuState* in, CpuState* out);
void SiteReached();
// A stand-in for the game functions the sites call: counts, notes ESP, answers EAX.
void FakeCallee();
extern uint32_t fakeCalleeCount;
extern uint32_t fakeCalleeEsp;
extern uint32_t fakeCalleeResult;
}

constexpr uint32_t kLandingPadSize = 5;
