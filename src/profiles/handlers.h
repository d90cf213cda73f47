#pragma once
// The command handlers behind kCommandTable. Rows naming the same handler share one function.

#include "profiles/profile.h"

using HandlerFunction = void(Session& session, Profile* owner, Command* command);

HandlerFunction SetHandler;
HandlerFunction ModifyHandler;
HandlerFunction ResetHandler;
HandlerFunction ReturnHandler;
HandlerFunction ClearHandler;
HandlerFunction EnableHandler;
HandlerFunction DisableHandler;
HandlerFunction ActivateHandler;
HandlerFunction DeactivateHandler;
HandlerFunction GoThirdPersonHandler;
HandlerFunction GoFirstPersonHandler;
HandlerFunction ForceThirdPersonHandler;
HandlerFunction ForceFirstPersonHandler;
HandlerFunction SetProfileHandler;
HandlerFunction RunProfileHandler;
HandlerFunction InhibitHandler;
HandlerFunction BindKeyHandler;
HandlerFunction UnBindKeyHandler;
HandlerFunction ReloadHandler;
HandlerFunction ReturnPersonHandler;
HandlerFunction AttachCameraHandler;
HandlerFunction DetachCameraHandler;
HandlerFunction RotateXHandler;
HandlerFunction RotateYHandler;
HandlerFunction SendAnimEventHandler;
