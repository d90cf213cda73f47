#pragma once
// Keyboard bindings to profiles: queued requests, live bindings, polling.

#include <cstdint>
#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

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

// The live bindings in the order they were made, indexed by key. They outlive sessions, so
// the owner keeps them; a list, so a binding stays put while its action runs.
class KeyBindingList {
 public:
  using Iterator = std::list<KeyBinding>::iterator;

  Iterator begin() { return bindings_.begin(); }
  Iterator end() { return bindings_.end(); }
  bool empty() const { return bindings_.empty(); }
  size_t size() const { return bindings_.size(); }
  const KeyBinding& front() const { return bindings_.front(); }
  void push_back(const KeyBinding& binding);
  void clear();

  // Visits the bindings of `key`, oldest first; those for which `keep` answers false go. The
  // visit may run actions, which only queue requests and never change the bindings.
  template <class Keep>
  void Filter(int32_t key, Keep keep);

 private:
  std::list<KeyBinding> bindings_;
  std::unordered_map<int32_t, std::vector<Iterator>> byKey_;  // each key's bindings, oldest first
};

template <class Keep>
void KeyBindingList::Filter(int32_t key, Keep keep) {
  const auto found = byKey_.find(key);
  if (found == byKey_.end()) return;
  std::vector<Iterator>& ofKey = found->second;
  for (size_t i = 0; i < ofKey.size();) {
    if (keep(*ofKey[i])) {
      ++i;
    } else {
      bindings_.erase(ofKey[i]);
      ofKey.erase(ofKey.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  if (ofKey.empty()) byKey_.erase(found);
}

struct FrameContext;
struct Session;

// The actions of the bindings run against `session`, the one whose frame or load is running.
// Only polling runs them in the frame; the release actions that an unbinding runs (applying
// requests, clearing) act outside it.
void ApplyKeyBindingRequests(Session& session, KeyBindingList& bindings);
void PollKeyBindings(Session& session, const FrameContext& frame, KeyBindingList& bindings);
void AddKeyBinding(Session& session, KeyBindingList& bindings, int32_t key, int32_t modifiers,
                   int32_t pressProfile, int32_t releaseProfile, float releaseSeconds,
                   float pressSeconds);
void RemoveKeyBinding(Session& session, KeyBindingList& bindings, int32_t key, bool clearPress,
                      bool clearRelease);
void ClearKeyBindings(Session& session, KeyBindingList& bindings);
bool IsKeyChordDown(int32_t key, int32_t modifiers);
void OnKeyEdge(Session& session, const FrameContext& frame, KeyBinding& binding, bool down);
