// Calls into the game made with every register and the flags saved.
#include <gtest/gtest.h>

#include "host/game/host_call.h"
#include "site_runner.h"

extern "C" {
void ProbeSavedCall(uint32_t function, CpuState* after);
void ClobberCalleePops();
void ClobberCallerPops();
extern uint32_t clobberSelf;
extern uint32_t clobberArguments[2];
}

namespace {

constexpr uint32_t kArithmeticFlags = 0x8D5;  // CF PF AF ZF SF OF

TEST(HostCallSaved, KeepsEveryRegisterAndTheFlagsAndHandsBackTheAnswer) {
  for (void (*function)() : {ClobberCalleePops, ClobberCallerPops}) {
    CpuState after{};
    ProbeSavedCall(reinterpret_cast<uint32_t>(function), &after);
    EXPECT_EQ(after.eax, 0x600DF00Du);
    EXPECT_EQ(after.ecx, 0xC1C1C1C1u);
    EXPECT_EQ(after.edx, 0xD2D2D2D2u);
    EXPECT_EQ(after.ebx, 0xB0B0B0B0u);
    EXPECT_EQ(after.esi, 0x51515151u);
    EXPECT_EQ(after.edi, 0xD1D1D1D1u);
    EXPECT_EQ(after.ebp, 0xEBEBEBEBu);
    EXPECT_EQ(after.eflags & kArithmeticFlags, 0x8C5u);
    EXPECT_EQ(after.eflags & 0x400, 0u) << "direction flag left set";
    EXPECT_EQ(clobberSelf, 0x5E1F0000u);
    EXPECT_EQ(clobberArguments[0], 0x0A0A0A0Au);
    EXPECT_EQ(clobberArguments[1], 0x0B0B0B0Bu);
  }
}

TEST(HostCallSaved, PassesArgumentsInOrderFromCppCode) {
  const uint32_t answer = CallSaved(reinterpret_cast<uint32_t>(&ClobberCallerPops),
                                    reinterpret_cast<void*>(0x1234), 7u, 9u);
  EXPECT_EQ(answer, 0x600DF00Du);
  EXPECT_EQ(clobberSelf, 0x1234u);
  EXPECT_EQ(clobberArguments[0], 7u);
  EXPECT_EQ(clobberArguments[1], 9u);
}

}  // namespace
