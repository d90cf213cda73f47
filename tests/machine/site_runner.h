#pragma once
// Runs game code in the fake image from a chosen machine state and captures the state at the
// address where it continues. Every continuation address holds a landing pad (CALL to
// SiteReached); every call target the sites name holds a jump to FakeCallee.
//
// A run keeps its own record at the base of the block its game stack pointer lies in, so runs
// on several threads, each on its own GameStack, do not meet.

#include <cstdint>
#include <memory>

struct CpuState {
  uint32_t eax, ecx, edx, ebx, esp, ebp, esi, edi;
  uint32_t eflags;
  uint32_t reached;   // the landing pad that was reached
  uint32_t fpuDepth;  // x87 registers left loaded (popped by the capture)
  float st0;          // the top one, when fpuDepth > 0
};

constexpr uint32_t kGameStackBlock = 1u << 20;

// The stack the game code and everything it calls (the stubs' bridges too) runs on.
class GameStack {
 public:
  GameStack();
  // The first byte above the stack; a run starts a little below it.
  uint32_t Top() const { return base_ + kGameStackBlock; }

 private:
  std::unique_ptr<uint8_t[]> memory_;
  uint32_t base_;
};

extern "C" {
// Loads `in` (flags included) and jumps to `address`; returns once a landing pad is reached.
// in->esp must lie in a GameStack.
void RunSite(uint32_t address, const CpuState* in, CpuState* out);
void SiteReached();
// A stand-in for the game functions the sites call: counts, notes ESP, answers EAX.
void FakeCallee();
extern uint32_t fakeCalleeCount;
extern uint32_t fakeCalleeEsp;
extern uint32_t fakeCalleeResult;
}

constexpr uint32_t kLandingPadSize = 5;
