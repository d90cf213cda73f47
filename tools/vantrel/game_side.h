#pragma once
// The simulated game's side of the plug-in's 31 hooks. A frame runs, in the game's order, every
// hook whose place the game passes in each frame; the others run when a directive makes the
// game reach them. Each hook calls the bridge its stub calls, and the game then does with the
// answer what its own code after the patch does. docs/configuration.md lists the order.

#include <array>
#include <cstdint>
#include <map>
#include <optional>

struct HostActor;

// What the game continued with after hooks 10 and 9.
struct FaceCrosshairResult {
  int32_t state = 0;     // the game's 0 or 1, or the plug-in's 3, 4 or 5
  int32_t argument = 0;  // the method's first argument (the game's own is 0)
};

class GameSide {
 public:
  // One frame: hook 26 (look input), 16 (the update), 10 and 9 when asked for, 1 and 2 for
  // every actor, 30, 29 and 31 (pitch clamp), 18-23 and 3, 4, 5 (the camera), 17 (projection).
  void PlayFrame(float activeSeconds, float frameSeconds);

  // Hooks a directive makes the game reach at once.
  void ZoomIn();                       // hooks 15 then 11
  void ZoomOut();                      // hook 12
  void ToggleView();                   // hook 13, the game's toggle key
  void ToggleState();                  // hook 14, the game's own state change
  void SwitchCamera(int32_t stateId);  // hook 8, which may hold the switch back
  void InputEvent(int32_t kind);       // hook 27
  bool FirstPersonQuery() const;       // hook 28: the game's answer after the plug-in's
  void MountStart();                   // hook 7
  void DismountStart();                // hook 6

  // The game's own numbers.
  float lookDegreesPerUnit = 1;               // how far one look-input unit turns the game's camera
  std::array<float, 2> pendingLook = {0, 0};  // the player's look input of the next frame
  std::array<float, 2> ownPitchLimits;        // minimum and maximum for actors, radians
  std::array<float, 3> offsets = {0, 0, 0};   // written into the camera state's offset fields
  std::optional<bool> faceCrosshairFlag;      // the flag at hook 9 in the next frame

  // What the game saw and did.
  std::array<float, 2> receivedLook = {0, 0};  // the look input hook 26 handed back last frame
  std::optional<std::array<float, 2>> usedPitchLimits;  // for the followed actor, last frame
  int32_t refreshes = 0;  // projection refresh branches taken at hook 17
  std::optional<FaceCrosshairResult> faceCrosshair;
  std::map<int32_t, bool> inputSkipped;  // by event kind: whether the last took hook 27's jump

  GameSide();

 private:
  void TurnCamera();
  void FaceCrosshair(bool flag);
  static void TrackHead(HostActor* actor);
  void ClampPitch(HostActor* actor);
  void UpdateCamera();
};
