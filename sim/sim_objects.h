#pragma once
// The simulated game's objects: the opaque handle types of host/host.h, defined here as plain
// structs. Fields are public: tests and scenarios set the world up through them and read back
// what the plug-in wrote. Every object is owned by SimWorld (sim_world.h) and lives until its
// next Reset. Comments name the host field each member stands for.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"

// Form type bytes (form +0x12) of the simulated forms.
namespace SimFormType {
enum : uint8_t {
  Keyword = 0x04,
  Race = 0x0A,
  Faction = 0x0B,
  MagicEffect = 0x12,
  Spell = 0x16,  // magic in a hand
  Weapon = 0x29,
  Npc = 0x2B,
  Cell = 0x3C,
  Reference = 0x3D,
  Actor = 0x3E,
  MagicItem = 0x52,  // the other kind of magic in a hand
  Perk = 0x5C,
};
}

struct HostForm {
  virtual ~HostForm() = default;
  uint32_t formId = 0;   // +0x0C
  uint8_t formType = 0;  // +0x12
};

struct HostKeyword : HostForm {
  std::optional<std::string> editorName;  // +0x14; nullopt = null pointer
};

// The form kind that faction conditions cast to.
struct HostConditionForm : HostForm {};

// A weapon as the hand classification sees it.
struct HostHandItem : HostForm {
  uint8_t weaponKind = 0;  // +0xF1
};

struct HostMagicEffect : HostForm {
  std::vector<HostForm*> keywords;  // array +0x28, count +0x2C; entries may be null
};

struct HostRace : HostForm {
  std::optional<std::string> name;  // +0x1D0; nullopt = null pointer
};

struct HostCell : HostForm {
  uint8_t flags = 0;  // +0x2C, bit 0 = interior
};

// Scene node. The world transform is stored as the game holds it (already composed), so a
// child does not move with its parent.
struct HostNode {
  std::string name;
  uint32_t nameKey = 0;  // SimWorld::NameKey(name): what a search by name compares
  std::array<float, 9> rotation = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // +0x54, row-major
  std::array<float, 3> translation = {0, 0, 0};                 // +0x78
  float scale = 1;                                              // +0x84
  std::vector<HostNode*> children;
};

struct HostLoaded3D {
  HostNode* root = nullptr;  // +0x20
};

struct HostRef : HostForm {
  float rotationX = 0;               // +0x28
  float rotationZ = 0;               // +0x30
  HostLoaded3D* loaded3D = nullptr;  // +0x44; null = not loaded
  HostForm* baseForm = nullptr;      // +0x24
  HostCell* parentCell = nullptr;    // +0x40
  int32_t refCount = 0;              // counts taken by HostLookupRefByHandle, not released
};

struct HostAiProcess {
  HostForm* leftHand = nullptr;   // +0x68
  HostForm* rightHand = nullptr;  // +0x6C
  // Head-tracking target as last set; cleared by HostClearHeadTrackTarget.
  bool headTrackActive = false;
  HostActor* headTrackActor = nullptr;
  std::array<float, 3> headTrackPoint = {0, 0, 0};
  int32_t headTrackSetCalls = 0;
  int32_t headTrackClearCalls = 0;
};

struct HostWornItems {
  std::vector<HostKeyword*> keywords;  // keywords carried by any worn item
};

struct HostEffectItem {
  HostForm* baseEffect = nullptr;  // +0x0C
};

struct HostActiveEffect {
  HostEffectItem* item = nullptr;  // +0x34
};

struct HostActor : HostRef {
  uint32_t stateFlags = 0;             // +0x68: 0x40 walking, 0x400 swimming
  uint32_t stateWord = 0;              // +0x6C: bits 5-7 >= 3 weapon out, bit 3 head tracked
  uint32_t killMoveFlags = 0;          // +0x138: 0x4000 in a kill move
  HostAiProcess* aiProcess = nullptr;  // +0x88
  HostRace* race = nullptr;            // +0x130
  // Raw answers of the actor queries (the plug-in tests the low byte).
  uint32_t isRunning = 0;
  uint32_t isSprinting = 0;
  uint32_t isDead = 0;
  uint32_t isMounted = 0;
  uint32_t isSneaking = 0;
  uint32_t isSitting = 0;
  uint32_t isJumping = 0;
  // Condition facts.
  std::vector<HostConditionForm*> factions;
  std::vector<HostForm*> perks;
  std::vector<HostKeyword*> keywords;
  HostWornItems* worn = nullptr;                 // null = HostWornVisit finds nothing
  std::vector<HostActiveEffect*> activeEffects;  // empty = no list at all
  // Animation graph: bool variables as last set, and every event received, in order.
  std::map<std::string, bool> graphBools;
  std::vector<std::string> animEvents;
  // The null-terminated copy of activeEffects handed out by HostActorActiveEffects.
  std::vector<HostActiveEffect*> activeEffectArray;
};

struct HostCameraState {
  int32_t id = 0;                               // +0x0C
  std::array<uint32_t, 3> offsets = {0, 0, 0};  // +0x3C, +0x40, +0x44
  float yaw = 0;                                // +0xAC
  float pitch = 0;                              // +0xB0
};

enum class SimCameraCall { GoThirdPerson, ForceThirdPerson, GoFirstPerson, ForceFirstPerson };

struct HostCamera {
  HostCameraState* currentState = nullptr;     // +0x20
  float fieldOfView = 75;                      // +0xAC
  // Where the game draws from, as last written by the hooks or a scenario: at the start behind
  // and above the player, looking ahead (+Y).
  std::array<float, 3> position = {0, -150, 140};
  std::array<float, 9> rotation = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // row-major
  std::map<int32_t, HostCameraState*> states;  // one state object per id, made on first use
  std::vector<bool> weaponRefreshes;           // argument of every HostCameraWeaponRefresh
  std::vector<SimCameraCall> personCalls;      // every third/first person call, in order
};

struct HostMenuManager {
  std::vector<std::string> openMenus;
};

struct HostUiState {
  uint8_t notRunning = 0;  // +0x0A
  uintptr_t window = 0;    // +0x0C
};

struct HostMainState {
  uint8_t notRunning = 0;  // +0x98
};

struct HostConsole {
  std::vector<std::string> lines;  // every line as shown
};

struct HostInputManager {
  uint32_t pollStep = 1;  // answer of HostInputPollStep
};

struct HostCombatState {
  uint8_t handMode = 0;     // +0x14
  uint8_t rightActive = 0;  // +0x24
  uint8_t leftActive = 0;   // +0x25
};

struct HostConditionGlobal {
  std::vector<HostForm*> keywords;  // array +0x38, count +0x40
};

struct HostCrosshairRefHolder {
  uint32_t handle = 0;  // +4
};
