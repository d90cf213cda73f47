#pragma once
// What one frame knows of the game and of the camera: gathered once by the camera controller
// at the start of the frame (BeginUpdate) and handed down, read-only, to the profile frame,
// the game-state updaters, the condition evaluators and the command handlers. Outside a frame
// (a load's ! commands, the release actions a reload runs) the empty context stands in:
// nothing is followed.

#include "host/host.h"

struct FrameContext {
  HostRef* followed = nullptr;         // the followed reference, null when none is loaded
  HostActor* followedActor = nullptr;  // the same as an actor, or null
  float frameTime = 0;                 // seconds
  float activeFrameTime = 0;           // seconds of running game; 0 while it does not run
  // The camera as the last frame left it (bIsActive, bIsInQARN).
  bool activated = false;
  bool headCameraShown = false;
};

// The context of what runs outside a frame.
inline constexpr FrameContext kOutsideFrame{};
