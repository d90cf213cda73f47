#pragma once
// The camera controller: the one object that holds the live camera state. The owner runs each
// frame through BeginUpdate and FinishUpdate, with the profile frame between them; the other
// hooks call the small queries and overrides below.

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "camera/camera_settings.h"
#include "camera/hook_visible.h"
#include "camera/view_math.h"
#include "host/host.h"
#include "values/frame_context.h"

// How a queued turn feeds the look input.
enum class RotationMode : int32_t {
  Look = 0,         // like look input: held back while the focus delay runs
  Independent = 1,  // slots of its own, which focus resets leave alone
  Focus = 2,        // the focus hold: dropped as soon as the focus delay starts
};

struct RotationItem {
  float amount = 0;    // look-input units to apply in all
  float applied = 0;   // applied so far
  float duration = 0;  // seconds; 0 or less = all at once
  int32_t axis = -1;   // 0 horizontal, 1 vertical
  float elapsed = 0;   // seconds
  RotationMode mode = RotationMode::Independent;
};

// What FaceCrosshairOverride hands back to its hook, which turns it into the host's registers.
namespace FaceCrosshairState {
enum : int32_t {
  HostFlagSet = 3,            // BL = 1, EAX = 0
  HostFlagCleared = 4,        // BL = 0
  HostFlagClearedEaxSet = 5,  // BL = 0, EAX = 1
};
}

namespace ControllerFlag {
enum : uint32_t { Enabled = 1u << 0, Activated = 1u << 1, HeadCameraActive = 1u << 2 };
}

// The first rule of the update's decision that keeps a flag off; None when all three are on.
enum class CameraStop : uint8_t {
  None,
  NoTarget,        // the followed reference is missing or has no loaded 3D
  NoCameraState,   // no player camera, or it has no current state
  EnabledOff,      // bEnabled is false
  ActivatedOff,    // bActivated is false
  Activated2Off,   // bActivated2 is false
  ActivatedLevel,  // iActivated is 0 or less
  NotHeadState,    // the camera state is not one the head camera takes over
};

struct FlagDecision {
  uint32_t flags = 0;  // ControllerFlag bits
  CameraStop stop = CameraStop::None;
};

// The queued turns, per axis (0 horizontal, 1 vertical).
struct QueuedTurns {
  int32_t items[2] = {0, 0};
  float left[2] = {0, 0};  // look-input units still to apply
};

// Everything the controller keeps from frame to frame, with its initial values.
struct ControllerState {
  FrameContext frame;  // the current update's; its references are cleared when it ends
  HookVisible<uint32_t> headTrackedFormId = 0;
  int32_t cachedNodeIndex = -1;
  HookVisible<uint32_t> flags = 0;  // ControllerFlag bits, stored whole
  uint64_t frameCounter = 0;
  float position[3] = {0, 0, 0};
  float rotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // row-major
  float viewPitch = 0;
  float viewYaw = 0;
  float offsetPitch = 0;
  float offsetYaw = 0;
  bool gameNotRunning = false;
  HookVisible<uint32_t> followedFormId = 0;  // the reference followed at the last update
  HookVisible<float> followedPitch = 0;       // and its X rotation then
  bool headCameraWasActive = false;
  uint32_t requestedRefFormId = 0;  // the reference asked for; 0 = follow the player
  std::optional<Vector3> focusPoint;
  int32_t focusDelay = 0;
  std::vector<RotationItem> rotationQueues[2];
  float rotationAccumulators[4] = {0, 0, 0, 0};
  float mouseExtraYaw = 0;
  float mouseExtraPitch = 0;
};

// The state is private: the owner, the hooks and the tool see it through the operations below,
// and only the tests (ControllerTestAccess) reach it whole, to set up and inspect a frame.
class CameraController : private ControllerState {
 public:
  // `settings` serves the hooks on any thread; `updateSettings` serves the update, whose
  // caller already holds what the reads need.
  CameraController(CameraSettings& settings, CameraSettings& updateSettings)
      : settings_(settings), updateSettings_(updateSettings) {}
  CameraController(const CameraController&) = delete;
  CameraController& operator=(const CameraController&) = delete;

  mutable std::recursive_mutex mutex;

  bool Enabled() const { return flags & ControllerFlag::Enabled; }
  bool IsActivated() const { return flags & ControllerFlag::Activated; }
  bool IsHeadCameraActive() const { return flags & ControllerFlag::HeadCameraActive; }

  // Single facts of the state, for the owner and the tool.
  const FrameContext& Frame() const { return frame; }
  uint32_t FollowedFormId() const { return followedFormId; }  // at the last update
  uint32_t HeadTrackedFormId() const { return headTrackedFormId; }
  uint32_t RequestedRefFormId() const { return requestedRefFormId; }  // 0 = the player
  void SetRequestedRefFormId(uint32_t formId) { requestedRefFormId = formId; }
  const std::optional<Vector3>& FocusPoint() const { return focusPoint; }
  int32_t FocusDelay() const { return focusDelay; }

  // The update, split where the profile frame runs; the caller holds `mutex` throughout.
  // BeginUpdate copies the frame times, resolves the followed reference, reads the running
  // state and hands the frame's context down; UpdateFlags decides the flags and FinishUpdate
  // moves the camera.
  const FrameContext& BeginUpdate();
  void UpdateFlags();
  void FinishUpdate();
  void ReadHostConditions(HostRef* player);
  // The flags of an update that finds a followed reference with loaded 3D (or not) and the
  // camera in that state (-1: none), and why any of them stays off.
  FlagDecision DecideFlags(bool hasTarget, int32_t cameraStateId) const;
  // The reference asked for by AttachCamera or iObjectRefFormId, while it resolves; else null.
  HostRef* RequestedRef() const;
  QueuedTurns RemainingTurns() const;

  // The parts of Update after activation, in the order it runs them.
  void ViewStep(bool headCameraActive);
  void UpdateHeadTracking();
  void DriveHeadTracking(HostActor* actor, const float* point);  // point null = release
  void PlaceFocusPoint();
  void FocusStep();
  void RunRotationQueues(float dt);

  // Head-node lookup on the followed reference's skeleton.
  HostNode* FindNamedNode(const char* name) const;
  HostNode* FindHeadNode(bool preferEyeBone);

  // Rz(−viewYaw)·Rx(viewPitch) and Rz(−offsetYaw)·Rx(offsetPitch).
  Matrix3 CameraOrientation() const;
  Matrix3 CameraOffsetOrientation() const;

  // Locked copies of the last view step.
  void GetPosition(float out[3]) const;
  void GetRotation(float out[9]) const;
  void OverridePosition(float out[3]);
  void OverrideRotation(float out[9]);
  // Both under one lock, so that the game gets the position and rotation of one frame.
  void OverrideView(float position[3], float rotation[9]);

  void RestrictLook(float* yaw, float* pitch);
  void SetPitchLimits(HostActor* actor, float* minimum, float* maximum);
  bool AllowsHostCameraSwitch() const;
  bool IsHeadTrackedActor(HostActor* actor) const;
  bool IsHeadCameraState() const;
  void FaceCrosshairOverride(int32_t* state) const;
  void FaceCrosshairArgument(int32_t* arg) const;
  int32_t ZoomIn();
  int32_t ZoomOut();
  int32_t ToggleActivation();
  void ClearStateOffsets(HostCameraState* state);

  void SetFocusPick(const float point[3]);
  void AddLookInput(float input[2]);
  void ResetFocus();
  void QueueRotation(const RotationItem& item);

  // The state back to its initial values (tests and the drives start from it).
  void Reset();

 private:
  friend struct ControllerTestAccess;

  CameraSettings& settings_;
  CameraSettings& updateSettings_;
  mutable YawPitchMemo viewOrientation_;  // the update's, under the controller mutex
};
