#include "profiles/key_bindings.h"

#include <list>
#include <memory>

#include "config/diagnostics.h"
#include "host/host.h"
#include "profiles/driver.h"
#include "values/registry.h"

namespace {

constexpr int32_t kControlKey = 0x11;
constexpr int32_t kShiftKey = 0x10;
constexpr int32_t kAltKey = 0x12;

// Process-wide and never destroyed: bindings outlive registries. A list, so a binding stays
// put while its action runs.
std::list<KeyBinding>& KeyBindings() {
  static auto* bindings = new std::list<KeyBinding>;
  return *bindings;
}

bool IsKeyDown(int32_t virtualKey) { return (HostKeyState(virtualKey) & 0x8000) != 0; }

bool GameWindowIsActive() {
  HostUiState* ui = HostUiStateGet();
  if (ui == nullptr) return false;
  const uintptr_t window = HostUiStateWindow(ui);
  return window != 0 && window == HostActiveWindow();
}

void ApplyRequest(const KeyBindingRequest& request) {
  int32_t index = request.profileIndex;
  if (index < 0) {
    Profile* profile = FindProfile(request.profileName);
    index = profile ? profile->index : -1;
  }
  if (!request.bind) {
    RemoveKeyBinding(request.key, request.pressEdge, !request.pressEdge);
  } else if (index >= 0 && request.pressEdge) {
    AddKeyBinding(request.key, request.modifiers, index, kNoProfile, 0, request.seconds);
  } else if (index >= 0) {
    AddKeyBinding(request.key, request.modifiers, kNoProfile, index, request.seconds, 0);
  }
}

}  // namespace

void ApplyKeyBindingRequests() {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return;
  auto& requests = registry->keyBindingRequests;
  // Requests queued by an action that an unbinding fires here are applied in this step too.
  // A configuration that rebinds and unbinds a held key from its own release action would
  // never let the frame finish, so the step stops at a bound and the rest wait a frame.
  for (int32_t applied = 0; !requests.empty(); ++applied) {
    if (applied == kMaxKeyBindingRequestsPerFrame) {
      Log(registry,
          "Key binding requests stopped after %d in one frame; the rest wait for the next.",
          kMaxKeyBindingRequestsPerFrame);
      return;
    }
    std::unique_ptr<KeyBindingRequest> request = std::move(requests.front());
    requests.pop_front();
    if (request) ApplyRequest(*request);
  }
}

void AddKeyBinding(int32_t key, int32_t modifiers, int32_t pressProfile, int32_t releaseProfile,
                   float releaseSeconds, float pressSeconds) {
  // A new action for one edge of a key replaces that edge of every earlier binding of the key.
  RemoveKeyBinding(key, pressProfile != kNoProfile, releaseProfile != kNoProfile);
  KeyBinding binding;
  binding.key = key;
  binding.modifiers = modifiers;
  // A key already down when bound must not fire its press action.
  binding.held = IsKeyChordDown(key, modifiers) ? 1 : 0;
  binding.pressProfile = pressProfile;
  binding.releaseProfile = releaseProfile;
  binding.pressSeconds = pressSeconds;
  binding.releaseSeconds = releaseSeconds;
  KeyBindings().push_back(binding);
}

void RemoveKeyBinding(int32_t key, bool clearPress, bool clearRelease) {
  auto& bindings = KeyBindings();
  for (auto it = bindings.begin(); it != bindings.end();) {
    KeyBinding& binding = *it;
    if (binding.key != key) {
      ++it;
      continue;
    }
    if (clearPress) binding.pressProfile = kNoProfile;
    if (clearRelease) {
      // A held key gets its release action before the action goes.
      if (binding.held) OnKeyEdge(binding, false);
      binding.releaseProfile = kNoProfile;
    }
    if (binding.pressProfile == kNoProfile && binding.releaseProfile == kNoProfile) {
      it = bindings.erase(it);
    } else {
      ++it;
    }
  }
}

void ClearKeyBindings() {
  auto& bindings = KeyBindings();
  while (!bindings.empty()) RemoveKeyBinding(bindings.front().key, true, true);
}

void PollKeyBindings() {
  HostInputManager* input = HostInputManagerGet();
  if (input == nullptr || (HostInputPollStep(input) & 0xFF) == 0) return;
  if (!GameWindowIsActive()) return;
  for (KeyBinding& binding : KeyBindings()) {
    if (binding.key <= 0) continue;
    const bool down = IsKeyChordDown(binding.key, binding.modifiers);
    if (down != (binding.held != 0)) OnKeyEdge(binding, down);
  }
}

void OnKeyEdge(KeyBinding& binding, bool down) {
  binding.held = down ? 1 : 0;
  const int32_t profile = down ? binding.pressProfile : binding.releaseProfile;
  const float seconds = down ? binding.pressSeconds : binding.releaseSeconds;
  if (profile == kNoProfile) return;
  if (binding.modifiers & KeyModifier::RunsProfile) {
    RunProfileByIndex(profile);
  } else {
    SetProfileByIndex(profile, seconds);
  }
}

bool IsKeyChordDown(int32_t key, int32_t modifiers) {
  if (!IsKeyDown(key)) return false;
  if ((modifiers & KeyModifier::Ctrl) && !IsKeyDown(kControlKey)) return false;
  if ((modifiers & KeyModifier::Shift) && !IsKeyDown(kShiftKey)) return false;
  if ((modifiers & KeyModifier::Alt) && !IsKeyDown(kAltKey)) return false;
  return true;
}
