#pragma once
// The value registry: the 73 values, the profiles and the queues of one configuration load.
// One live instance, currentRegistry; a reload builds a new one and destroys the old.

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"
#include "values/value.h"
#include "values/value_ids.h"

struct Profile;
struct ProfileBlock;
struct KeyBindingRequest;

struct ValueRegistry {
  std::vector<std::unique_ptr<Profile>> profiles;  // file order; index = position
  std::vector<std::unique_ptr<Value>> values;      // by value index; a slot may be null
  std::unique_ptr<ProfileBlock> parseBlock;        // block being collected during a load
  int32_t lineNumber = 0;                          // lines read so far during a load
  std::deque<std::string> messageQueue;            // finished console lines, first in first out
  std::deque<std::unique_ptr<KeyBindingRequest>> keyBindingRequests;
  float profileUpdateCountdown = 0;
  Profile* currentProfile = nullptr;
  float profileLockSeconds = 0;
  Profile* defaultProfile = nullptr;
  HostRef* actor = nullptr;                 // the controller's target during a frame
  HostActor* actorAsCharacter = nullptr;    // the same target as an actor, or null
  int32_t loading = 0;
  int32_t reloadRequested = 0;
  int32_t switchInProgress = 0;
  int32_t captureDefaults = 0;
  Profile* recordingProfile = nullptr;
  Profile* deactivatingProfile = nullptr;
  Profile* pendingProfile = nullptr;
  float mountCountdown = 0;
  float dismountCountdown = 0;
  uint8_t inPluginView = 0;
  int32_t commandNesting = 0;  // RunCommands depth, bounds recursion through profile commands

  ValueRegistry();  // registers all 73 values
  ~ValueRegistry();  // frees values then profiles under pluginMutex
  ValueRegistry(const ValueRegistry&) = delete;
  ValueRegistry& operator=(const ValueRegistry&) = delete;
};

extern ValueRegistry* currentRegistry;
extern std::recursive_mutex pluginMutex;

// Registry operations; each acts on currentRegistry and does nothing without one.
void RegisterValue(int32_t index, const char* name, ValueKind kind, ValueUpdater updater,
                   ValueReadBack readBack, ValueApply apply);
Value* FindValue(std::string_view name);
Value* ValueAt(int32_t index);  // null for a bad index, a null slot or no registry
void SetValue(int32_t index, const ValueData& data, float tweenSeconds);
void ResetValue(int32_t index, float tweenSeconds);
void TickValues(float dt);
void RunUpdaters();

// Typed reads under pluginMutex; out is written only on success.
bool GetFloat(int32_t index, float& out);
bool GetInt(int32_t index, int32_t& out);
bool GetBool(int32_t index, bool& out);
bool GetString(int32_t index, std::string& out);

// Reload hand-over: the new registry takes the host-captured bases of the old one.
void CarryOverCapturedBases(const ValueRegistry& from, ValueRegistry& to);
