#pragma once
// The session: what one configuration load builds and every frame works on (the values, the
// profiles, the queues and the countdowns). The plug-in's owner holds the live one, replaces it
// on a reload and hands it down; whoever touches it holds the owner's lock.

#include <cstdint>
#include <deque>

#include "base/diagnostics.h"
#include "base/name_index.h"
#include "base/text_pool.h"
#include "profiles/key_bindings.h"
#include "profiles/profile.h"
#include "values/registry.h"

class CameraCommands;

struct Session {
  ValueRegistry values;
  TextPool texts;  // the records' texts; declared before the profiles, which point into it
  // File order; index = position. A deque: profiles stay put while the load adds more, as the
  // name index (it points at their names) and the profile pointers below need.
  std::deque<Profile> profiles;
  NameIndex profileNames;  // the first profile of each name, for the by-name commands
  MessageQueue messageQueue;
  std::deque<KeyBindingRequest> keyBindingRequests;  // applied by the next frame
  CameraCommands* camera = nullptr;  // what commands may do to the camera, or null
  float profileUpdateCountdown = 0;
  Profile* currentProfile = nullptr;
  float profileLockSeconds = 0;
  Profile* defaultProfile = nullptr;
  bool loading = false;
  bool reloadRequested = false;
  bool switchInProgress = false;
  Profile* deactivatingProfile = nullptr;
  Profile* pendingProfile = nullptr;
  float mountCountdown = 0;
  float dismountCountdown = 0;
  int32_t commandNesting = 0;  // RunCommands depth, bounds recursion through profile commands
  int32_t chainCommands = 0;   // commands run inside the current outermost run
  bool chainStopReported = false;  // that chain's stop has been reported
};

// The debug console channel at `level`, as iDebug selects it.
void LogDebug(Session& session, int32_t level, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
