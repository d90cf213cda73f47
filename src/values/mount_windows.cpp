// The mounting and dismounting windows, opened by the game's hooks when the followed actor
// starts to mount or dismount. The per-frame driver counts them down.

#include <mutex>

#include "camera/controller.h"
#include "values/registry.h"

namespace {

constexpr float kMountSeconds = 1.2f;
constexpr float kDismountSeconds = 3.5f;

void OpenWindow(HostActor* actor, float ValueRegistry::*countdown, float seconds) {
  if (!actor) return;
  // Compared before pluginMutex is taken: the controller's mutex always comes first.
  const uint32_t formId = HostFormId(HostRefAsForm(HostActorAsRef(actor)));
  if (formId != CameraController::Instance().targetFormId) return;
  std::lock_guard<std::recursive_mutex> lock(pluginMutex);
  if (currentRegistry) currentRegistry->*countdown = seconds;
}

}  // namespace

void OnMountStart(HostActor* actor) {
  OpenWindow(actor, &ValueRegistry::mountCountdown, kMountSeconds);
}

void OnDismountStart(HostActor* actor) {
  OpenWindow(actor, &ValueRegistry::dismountCountdown, kDismountSeconds);
}
