// Keyboard bindings to profiles: queued requests, live bindings, polling.

#include "profiles/key_bindings.h"

#include <iterator>

#include "base/diagnostics.h"
#include "host/host.h"
#include "profiles/driver.h"

namespace {

constexpr int32_t kControlKey = 0x11;
constexpr int32_t kShiftKey = 0x10;
constexpr int32_t kAltKey = 0x12;

bool IsKeyDown(int32_t virtualKey) { return (HostKeyState(virtualKey) & 0x8000) != 0; }

bool GameWindowIsActive() {
  HostUiState* ui = HostUiStateGet();
  if (ui == nullptr) return false;
  const uintptr_t window = HostUiStateWindow(ui);
  return window != 0 && window == HostActiveWindow();
}

void ApplyRequest(Session& session, KeyBindingList& bindings, const KeyBindingRequest& request) {
  int32_t index = request.profileIndex;
  if (index < 0) {
    Profile* profile = FindProfile(session, request.profileName);
    index = profile ? profile->index : -1;
  }
  if (!request.bind) {
    RemoveKeyBinding(session, bindings, request.key, request.pressEdge, !request.pressEdge);
  } else if (index >= 0 && request.pressEdge) {
    AddKeyBinding(session, bindings, request.key, request.modifiers, index, kNoProfile, 0,
                  request.seconds);
  } else if (index >= 0) {
    AddKeyBinding(session, bindings, request.key, request.modifiers, kNoProfile, index,
                  request.seconds, 0);
  }
}

}  // namespace

void ApplyKeyBindingRequests(Session& session, KeyBindingList& bindings) {
  auto& requests = session.keyBindingRequests;
  // Requests queued by an action that an unbinding fires here are applied in this step too.
  // A configuration that rebinds and unbinds a held key from its own release action would
  // never let the frame finish, so the step stops at a bound and the rest wait a frame.
  for (int32_t applied = 0; !requests.empty(); ++applied) {
    if (applied == kMaxKeyBindingRequestsPerFrame) {
      Log(session.messageQueue,
          "Key binding requests stopped after %d in one frame; the rest wait for the next.",
          kMaxKeyBindingRequestsPerFrame);
      return;
    }
    const KeyBindingRequest request = std::move(requests.front());
    requests.pop_front();
    ApplyRequest(session, bindings, request);
  }
}

void AddKeyBinding(Session& session, KeyBindingList& bindings, int32_t key, int32_t modifiers,
                   int32_t pressProfile, int32_t releaseProfile, float releaseSeconds,
                   float pressSeconds) {
  // A new action for one edge of a key replaces that edge of every earlier binding of the key.
  RemoveKeyBinding(session, bindings, key, pressProfile != kNoProfile,
                   releaseProfile != kNoProfile);
  KeyBinding binding;
  binding.key = key;
  binding.modifiers = modifiers;
  // A key already down when bound must not fire its press action.
  binding.held = IsKeyChordDown(key, modifiers);
  binding.pressProfile = pressProfile;
  binding.releaseProfile = releaseProfile;
  binding.pressSeconds = pressSeconds;
  binding.releaseSeconds = releaseSeconds;
  bindings.push_back(binding);
}

void RemoveKeyBinding(Session& session, KeyBindingList& bindings, int32_t key, bool clearPress,
                      bool clearRelease) {
  bindings.Filter(key, [&](KeyBinding& binding) {
    if (clearPress) binding.pressProfile = kNoProfile;
    if (clearRelease) {
      // A held key gets its release action before the action goes.
      if (binding.held) OnKeyEdge(session, kOutsideFrame, binding, false);
      binding.releaseProfile = kNoProfile;
    }
    return binding.pressProfile != kNoProfile || binding.releaseProfile != kNoProfile;
  });
}

void ClearKeyBindings(Session& session, KeyBindingList& bindings) {
  while (!bindings.empty()) RemoveKeyBinding(session, bindings, bindings.front().key, true, true);
}

void KeyBindingList::push_back(const KeyBinding& binding) {
  bindings_.push_back(binding);
  byKey_[binding.key].push_back(std::prev(bindings_.end()));
}

void KeyBindingList::clear() {
  bindings_.clear();
  byKey_.clear();
}

void PollKeyBindings(Session& session, const FrameContext& frame, KeyBindingList& bindings) {
  HostInputManager* input = HostInputManagerGet();
  if (input == nullptr || (HostInputPollStep(input) & 0xFF) == 0) return;
  if (!GameWindowIsActive()) return;
  for (KeyBinding& binding : bindings) {
    if (binding.key <= 0) continue;
    const bool down = IsKeyChordDown(binding.key, binding.modifiers);
    if (down != binding.held) OnKeyEdge(session, frame, binding, down);
  }
}

void OnKeyEdge(Session& session, const FrameContext& frame, KeyBinding& binding, bool down) {
  binding.held = down;
  const int32_t profile = down ? binding.pressProfile : binding.releaseProfile;
  const float seconds = down ? binding.pressSeconds : binding.releaseSeconds;
  if (profile == kNoProfile) return;
  if (binding.modifiers & KeyModifier::RunsProfile) {
    RunProfileByIndex(session, frame, profile);
  } else {
    SetProfileByIndex(session, frame, profile, seconds);
  }
}

bool IsKeyChordDown(int32_t key, int32_t modifiers) {
  if (!IsKeyDown(key)) return false;
  if ((modifiers & KeyModifier::Ctrl) && !IsKeyDown(kControlKey)) return false;
  if ((modifiers & KeyModifier::Shift) && !IsKeyDown(kShiftKey)) return false;
  if ((modifiers & KeyModifier::Alt) && !IsKeyDown(kAltKey)) return false;
  return true;
}
