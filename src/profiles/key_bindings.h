#pragma once
// Keyboard bindings to profiles: queued requests, live bindings, polling.

#include <cstdint>
#include <list>
#include <string>

// Profile index meaning "this edge has no action". Profile 0 is a real profile (the default).
constexpr int32_t kNoProfile = -1;

// Most requests one frame applies; far above any real configuration, reached only by actions
// that keep queueing requests.
constexpr int32_t kMaxKeyBindingRequestsPerFrame = 4096;

struct KeyBindingRequest {
  int32_t key = 0;
  int32_t modifiers = 0;
  bool pressEdge = true;
  bool bind = true;
  std::string profileName;
  int32_t profileIndex = -1;
  float seconds = 0;
};

namespace KeyModifier {
enum : int32_t { Ctrl = 0x1, Shift = 0x2, Alt = 0x4, RunsProfile = 0x20 };
}

struct KeyBinding {
  int32_t key = 0;
  int32_t modifiers = 0;
  bool held = false;
  int32_t pressProfile = kNoProfile;
  int32_t releaseProfile = kNoProfile;
  float pressSeconds = 0;
  float releaseSeconds = 0;
};

// The live bindings. They outlive sessions, so the owner keeps them; a list, so a binding
// stays put while its action runs.
using KeyBindingList = std::list<KeyBinding>;

struct Session;

// The actions of the bindings run against `session`, the one whose frame or load is running.
void ApplyKeyBindingRequests(Session& session, KeyBindingList& bindings);
void PollKeyBindings(Session& session, KeyBindingList& bindings);
void AddKeyBinding(Session& session, KeyBindingList& bindings, int32_t key, int32_t modifiers,
                   int32_t pressProfile, int32_t releaseProfile, float releaseSeconds,
                   float pressSeconds);
void RemoveKeyBinding(Session& session, KeyBindingList& bindings, int32_t key, bool clearPress,
                      bool clearRelease);
void ClearKeyBindings(Session& session, KeyBindingList& bindings);
bool IsKeyChordDown(int32_t key, int32_t modifiers);
void OnKeyEdge(Session& session, KeyBinding& binding, bool down);
