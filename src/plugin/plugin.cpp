// The plug-in's owner: start-up and reload of the session, the frame, the mount windows.

#include "plugin/plugin.h"

#include <utility>

#include "config/loader.h"
#include "plugin/version.h"
#include "profiles/frame.h"

namespace {

// The program version, kept as the double of the single-precision constant.
const double kProgramVersion = static_cast<double>(kReleaseMajorMinor);

constexpr float kMountSeconds = 1.2f;
constexpr float kDismountSeconds = 3.5f;

}  // namespace

Plugin& Plugin::Instance() {
  static Plugin* instance = new Plugin();
  return *instance;
}

void Plugin::InitializeOrReload() {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  const bool isFirstStart = std::exchange(firstStart_, false);

  if (session_ && session_->loading) {
    LogAtLine(session_->messageQueue, 0,
              "Trying to reload configuration while already loading!");
    return;
  }
  if (session_) {
    // Release actions of held keys still run against the old session.
    ClearKeyBindings(*session_, keyBindings);
  } else {
    keyBindings.clear();  // no session to act on
  }
  controller.SetRequestedRefFormId(0);

  // The new session takes over at once; the old one lives until the hand-over is done.
  std::unique_ptr<Session> old = std::exchange(session_, NewSession());
  sessionFramed_ = false;
  try {
    Session& session = *session_;
    if (isFirstStart) Log(session.messageQueue, "Initializing QARN version %.1f", kProgramVersion);
    if (old) CarryOverCapturedBases(old->values, session.values);
    session.loading = true;
    LoadConfiguration(session);
    session.loading = false;
  } catch (...) {
    session_ = std::move(old);  // out of memory: the old session (or none) stays
    throw;
  }
}

std::unique_ptr<Session> Plugin::NewSession() {
  auto session = std::make_unique<Session>();
  session->camera = this;
  session->values.camera = this;
  return session;
}

std::unique_ptr<Session> Plugin::ReplaceSession(std::unique_ptr<Session> next) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  sessionFramed_ = false;
  return std::exchange(session_, std::move(next));
}

void Plugin::RunFrame() {
  std::lock_guard<std::recursive_mutex> cameraLock(controller.mutex);
  // Held for the whole frame: the update reads its settings through heldSettings_.
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  RunSessionFrame(controller.BeginUpdate());
  controller.UpdateFlags();
  sessionFramed_ = session_ != nullptr;
  controller.FinishUpdate();
}

void Plugin::RunSessionFrame(const FrameContext& frame) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  if (session_ && session_->reloadRequested) {
    session_->reloadRequested = false;
    InitializeOrReload();
  }
  if (!session_) return;
  if (sessionFramed_) return RunProfileFrame(*session_, keyBindings, frame);
  // A session shows the head view from the end of its first frame on.
  FrameContext first = frame;
  first.headCameraShown = false;
  RunProfileFrame(*session_, keyBindings, first);
}

void Plugin::OnMountStart(HostActor* actor) {
  OpenMountWindow(actor, &Session::mountCountdown, kMountSeconds);
}

void Plugin::OnDismountStart(HostActor* actor) {
  OpenMountWindow(actor, &Session::dismountCountdown, kDismountSeconds);
}

void Plugin::OpenMountWindow(HostActor* actor, float Session::*countdown, float seconds) {
  if (!actor) return;
  // Compared before pluginMutex_ is taken: the controller's mutex always comes first.
  const uint32_t formId = HostFormId(HostRefAsForm(HostActorAsRef(actor)));
  if (formId != controller.FollowedFormId()) return;
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  if (session_) (*session_).*countdown = seconds;
}

void Plugin::Reset() {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  if (session_) ClearKeyBindings(*session_, keyBindings);
  keyBindings.clear();  // also without a session
  session_.reset();
  sessionFramed_ = false;
  firstStart_ = true;
}

bool Plugin::GetFloat(int32_t index, float& out) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  return heldSettings_.GetFloat(index, out);
}

bool Plugin::GetInt(int32_t index, int32_t& out) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  return heldSettings_.GetInt(index, out);
}

bool Plugin::GetBool(int32_t index, bool& out) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  return heldSettings_.GetBool(index, out);
}

void Plugin::SetBool(int32_t index, bool on) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  heldSettings_.SetBool(index, on);
}

void Plugin::ToggleBool(int32_t index) {
  std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
  heldSettings_.ToggleBool(index);
}

uint32_t Plugin::RequestedRefFormId() const { return controller.RequestedRefFormId(); }

void Plugin::SetRequestedRefFormId(uint32_t formId) { controller.SetRequestedRefFormId(formId); }

void Plugin::QueueRotation(const RotationItem& item) { controller.QueueRotation(item); }

// The crosshair pick reports its point: the hook in the game, a direct call in the sim.
void OnCrosshairPickPoint(const float point[3]) {
  Plugin::Instance().controller.SetFocusPick(point);
}
