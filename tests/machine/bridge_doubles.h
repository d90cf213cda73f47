#pragma once
// Test doubles of the stubs' bridges: each call is recorded with its arguments; all of them
// give one answer (SiteCase::answer) and, when it is not 0, write their effects.

#include <cstdint>
#include <string>
#include <vector>

#include "site_cases.h"

struct BridgeCall {
  std::string name;
  std::vector<uint32_t> args;
  bool alignedStack;     // the stub aligned the stack to 16 bytes for the call
  uint32_t calleeCount;  // FakeCallee calls made before this one
};

extern std::vector<BridgeCall> bridgeCalls;
extern int32_t bridgeAnswer;
extern SiteEffects bridgeEffects;

void ResetBridges();
