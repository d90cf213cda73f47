#pragma once
// The node the head camera is attached to.

#include "camera/controller.h"

// The head node (the eye bone first when preferEyeBone) of the reference the controller
// follows, else the root node of its skeleton; null when it has neither.
HostNode* AttachmentNode(CameraController& controller, bool preferEyeBone);
