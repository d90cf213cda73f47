#pragma once
// The profile frame: what a session does in each frame of the game, between the camera's
// BeginUpdate and FinishUpdate.

#include "profiles/key_bindings.h"
#include "profiles/session.h"

// The per-frame driver, in the frame the camera began, and its evaluation pass. The owner
// takes the lock and performs a pending reload first.
void RunProfileFrame(Session& session, KeyBindingList& keyBindings, const FrameContext& frame);
void EvaluateProfiles(Session& session, const FrameContext& frame);
// What the game-state updaters read besides the game: the frame, and the session's countdowns
// and camera link.
UpdateInput UpdaterInput(const Session& session, const FrameContext& frame);
