#pragma once
// Test doubles of the stubs' bridges: each call is recorded with its arguments, answers come
// from bridgeAnswers. The real bridges are exercised by the DLL tests.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct BridgeCall {
  std::string name;
  std::vector<uint32_t> args;
  bool alignedStack;       // the stub aligned the stack to 16 bytes for the call
  uint32_t calleeCount;    // FakeCallee calls made before this one
};

struct BridgeAnswers {
  int32_t headTracked = 0;
  int32_t allowsHostCameraSwitch = 1;
  int32_t zoomIn = 0;
  int32_t toggleActivation = 0;
  int32_t viewRefresh = 0;
  int32_t headCameraActive = 0;
  std::optional<int32_t> faceCrosshairState;  // what the override makes of the state
  bool faceCrosshairArgument = false;         // the argument override writes 1
};

extern std::vector<BridgeCall> bridgeCalls;
extern BridgeAnswers bridgeAnswers;

void ResetBridges();
