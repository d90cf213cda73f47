#pragma once
// The command handlers (CommandHandler) behind the command table. Rows naming the same
// handler share one function.

#include "profiles/profile.h"

void SetHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ModifyHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ResetHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ReturnHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ClearHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void EnableHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void DisableHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ActivateHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void DeactivateHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void GoThirdPersonHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void GoFirstPersonHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ForceThirdPersonHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ForceFirstPersonHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void SetProfileHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void RunProfileHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void InhibitHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void BindKeyHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void UnBindKeyHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ReloadHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void ReturnPersonHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void AttachCameraHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void DetachCameraHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void RotateXHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void RotateYHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
void SendAnimEventHandler(Session& session, const FrameContext& frame, Profile* owner,
                 Command* command);
