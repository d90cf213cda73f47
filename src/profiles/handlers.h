#pragma once
// The command handlers (CommandHandler) behind the command table. Rows naming the same
// handler share one function.

#include "profiles/profile.h"

void SetHandler(Session& session, Profile* owner, Command* command);
void ModifyHandler(Session& session, Profile* owner, Command* command);
void ResetHandler(Session& session, Profile* owner, Command* command);
void ReturnHandler(Session& session, Profile* owner, Command* command);
void ClearHandler(Session& session, Profile* owner, Command* command);
void EnableHandler(Session& session, Profile* owner, Command* command);
void DisableHandler(Session& session, Profile* owner, Command* command);
void ActivateHandler(Session& session, Profile* owner, Command* command);
void DeactivateHandler(Session& session, Profile* owner, Command* command);
void GoThirdPersonHandler(Session& session, Profile* owner, Command* command);
void GoFirstPersonHandler(Session& session, Profile* owner, Command* command);
void ForceThirdPersonHandler(Session& session, Profile* owner, Command* command);
void ForceFirstPersonHandler(Session& session, Profile* owner, Command* command);
void SetProfileHandler(Session& session, Profile* owner, Command* command);
void RunProfileHandler(Session& session, Profile* owner, Command* command);
void InhibitHandler(Session& session, Profile* owner, Command* command);
void BindKeyHandler(Session& session, Profile* owner, Command* command);
void UnBindKeyHandler(Session& session, Profile* owner, Command* command);
void ReloadHandler(Session& session, Profile* owner, Command* command);
void ReturnPersonHandler(Session& session, Profile* owner, Command* command);
void AttachCameraHandler(Session& session, Profile* owner, Command* command);
void DetachCameraHandler(Session& session, Profile* owner, Command* command);
void RotateXHandler(Session& session, Profile* owner, Command* command);
void RotateYHandler(Session& session, Profile* owner, Command* command);
void SendAnimEventHandler(Session& session, Profile* owner, Command* command);
