// Finding the node of the followed reference's skeleton that the head camera sits on.

#include "camera/head_node.h"

#include <iterator>

namespace {

// In order of preference. The eye bone (0) is only tried when asked for; the search covers the
// rest: human heads first, then creature heads, then body nodes as a last resort.
constexpr const char* kHeadNodeNames[] = {
    "NPCEyeBone",
    "NPC Head [Head]",
    "NPC Head",
    "Head [Head]",
    "HEAD",
    "Scull",
    "FireAtronach_Head [Head]",
    "ElkScull",
    "Canine_Head",
    "DragPriestNPC Head [Head]",
    "DwarvenSpiderHead_XYZ",
    "Goat_Head",
    "ChaurusFlyerHead",
    "Boar_Reikling_Head",
    "NPC_mainbody_bone",
    "RabbitHead",
    "Horker_Head01",
    "HorseScull",
    "IW Head",
    "Mammoth Head",
    "MagicEffectsNode",
    "Sabrecat_Head [Head]",
    "SlaughterfishHead",
    "Wisp Head",
    "Witchlight Body",
    "NPC Spine2 [Spn2]",
    "NPC Root [Root]",
};
constexpr int32_t kHeadNodeCount = static_cast<int32_t>(std::size(kHeadNodeNames));
static_assert(kHeadNodeCount == 27);

HostNode* RootNodeOf(HostRef* ref) {
  if (!ref) return nullptr;
  HostLoaded3D* loaded = HostRefLoaded3D(ref);
  return loaded ? HostLoaded3DRootNode(loaded) : nullptr;
}

}  // namespace

HostNode* CameraController::FindNamedNode(const char* name) const {
  HostNode* root = RootNodeOf(frame.followed);
  if (!root || !name || name[0] == '\0') return nullptr;
  EngineString engineName{};
  HostEngineStringCreate(&engineName, name);
  HostNode* node = HostNodeFindDescendant(root, &engineName);
  HostEngineStringRelease(&engineName);
  return node;
}

HostNode* CameraController::FindHeadNode(bool preferEyeBone) {
  if (preferEyeBone) {
    if (HostNode* eye = FindNamedNode(kHeadNodeNames[0])) return eye;
  }
  if (cachedNodeIndex >= 0 && cachedNodeIndex < kHeadNodeCount) {
    if (HostNode* cached = FindNamedNode(kHeadNodeNames[cachedNodeIndex])) return cached;
  }
  cachedNodeIndex = -1;
  if (!RootNodeOf(frame.followed)) return nullptr;
  for (int32_t index = 1; index < kHeadNodeCount; ++index) {
    if (HostNode* node = FindNamedNode(kHeadNodeNames[index])) {
      cachedNodeIndex = index;
      return node;
    }
  }
  return nullptr;
}

HostNode* AttachmentNode(CameraController& controller, bool preferEyeBone) {
  if (HostNode* head = controller.FindHeadNode(preferEyeBone)) return head;
  return RootNodeOf(controller.Frame().followed);
}
