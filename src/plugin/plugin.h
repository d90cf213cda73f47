#pragma once
// The plug-in's owner: the one object that holds the session, the camera controller and the
// key bindings. It runs each frame from the top, hands the layers below what they need, and
// is the only one that replaces the session (at start-up and on a reload). Locks: the
// controller's mutex first, pluginMutex_ second.

#include <memory>
#include <mutex>
#include <type_traits>

#include "camera/camera_settings.h"
#include "camera/controller.h"
#include "plugin/held_session_settings.h"
#include "profiles/camera_commands.h"
#include "profiles/key_bindings.h"
#include "profiles/session.h"

class Plugin final : private CameraSettings, private CameraCommands {
 public:
  // Created on first use and never destroyed: hooks may still run while the process exits.
  static Plugin& Instance();

  // Builds a new session from the configuration file; the old one (if any) hands over its
  // captured bases and key bindings' release actions first.
  void InitializeOrReload();
  // One frame of the main-loop hook: camera input, pending reload, profile frame, camera.
  void RunFrame();
  // The frame's part under pluginMutex_: a pending reload, then the session's profile frame.
  void RunSessionFrame(const FrameContext& frame);
  // The game's hooks report that `actor` starts to mount or to dismount.
  void OnMountStart(HostActor* actor);
  void OnDismountStart(HostActor* actor);

  // An empty session whose commands and linked values act on this owner's controller.
  std::unique_ptr<Session> NewSession();
  // Makes `next` (possibly null) the live session and hands back the one it replaces: the
  // tests start from sessions of their own.
  std::unique_ptr<Session> ReplaceSession(std::unique_ptr<Session> next);

  // The one way to work on the live session from outside: runs `work(session)` under
  // pluginMutex_ and returns its result. Without a session `work` does not run and the result
  // is value-initialized (false, null, empty).
  template <typename Work>
  std::invoke_result_t<Work&, Session&> WithSession(Work&& work) {
    std::lock_guard<std::recursive_mutex> lock(pluginMutex_);
    if (!session_) return std::invoke_result_t<Work&, Session&>();
    return work(*session_);
  }

  // Back to a freshly loaded DLL: no session, no key bindings, the first start still to come;
  // the controller is left as it is. Whatever starts the plug-in more than once in a process
  // (the tool, the tests, the benchmarks) begins each run here.
  void Reset();

 private:
  // Declared before the controller, which is built with the settings over the session.
  std::recursive_mutex pluginMutex_;
  std::unique_ptr<Session> session_;  // the live session, or null before start-up
  HeldSessionSettings heldSettings_{session_};

 public:
  CameraController controller{*this, heldSettings_};
  KeyBindingList keyBindings;

 private:
  Plugin() = default;

  void OpenMountWindow(HostActor* actor, float Session::*countdown, float seconds);

  // CameraSettings: the hooks' reads and writes of values, under pluginMutex_.
  bool GetFloat(int32_t index, float& out) override;
  bool GetInt(int32_t index, int32_t& out) override;
  bool GetBool(int32_t index, bool& out) override;
  void SetBool(int32_t index, bool on) override;
  void ToggleBool(int32_t index) override;

  // CameraCommands: what profile commands and linked values do to the controller.
  uint32_t RequestedRefFormId() const override;
  void SetRequestedRefFormId(uint32_t formId) override;
  void QueueRotation(const RotationItem& item) override;

  bool firstStart_ = true;
  // The live session has lived through a frame: only then has it shown the head view.
  bool sessionFramed_ = false;
};
