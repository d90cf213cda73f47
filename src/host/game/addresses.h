#pragma once
// Every address, object offset, virtual-table slot and type descriptor of the one game build
// the plug-in accepts (runtime version 0x09200000). No other file holds a game address but
// hooks.def, the hook rows this file includes.
//
// Sections: type descriptors, forms and references, actors, scene nodes, camera, other host
// objects, globals, the 31 hook rows. Functions carry the names the core knows them by;
// offsets are bytes from the start of the object; slots are byte offsets into the object's
// virtual table.

#include <cstdint>

static_assert(sizeof(void*) == 4, "the game binding is 32-bit only");

namespace HostTypeDescriptor {  // arguments of HostDynamicCast
constexpr uint32_t HostTypeForm = 0x0123B000;
constexpr uint32_t HostTypeConditionForm = 0x0123D050;
constexpr uint32_t HostTypeReference = 0x0123D0BC;
constexpr uint32_t HostTypeKeyword = 0x0123D1B4;
constexpr uint32_t HostTypeActor = 0x0123EA2C;
constexpr uint32_t HostTypeHandItem = 0x0123EAFC;
}  // namespace HostTypeDescriptor

namespace GameForm {
constexpr uint32_t HostLookupFormById = 0x00451A30;  // cdecl (form id) -> form
constexpr uint32_t HostDynamicCast = 0x00F51DAE;     // cdecl (object, 0, from, to, 0)
constexpr uint32_t formId = 0x0C;                    // u32
constexpr uint32_t formType = 0x12;                  // u8
constexpr uint32_t editorName = 0x14;                // const char*, keywords
}  // namespace GameForm

namespace GameReference {
constexpr uint32_t HostReleaseRef = 0x0040B110;         // cdecl (reference slot); saved
constexpr uint32_t HostLookupRefByHandle = 0x004951F0;  // cdecl (handle*, out ref*); saved
constexpr uint32_t baseForm = 0x24;                     // form*
constexpr uint32_t rotationX = 0x28;                    // f32 radians
constexpr uint32_t rotationZ = 0x30;                    // f32 radians
constexpr uint32_t parentCell = 0x40;                   // cell*
constexpr uint32_t loaded3D = 0x44;                     // loaded 3D data*, null = not loaded
}  // namespace GameReference

namespace GameLoaded3D {
constexpr uint32_t rootNode = 0x20;  // scene node*
}

namespace GameCell {
constexpr uint32_t flags = 0x2C;  // u8, bit 0 interior
}

namespace GameActor {
constexpr uint32_t HostActorIsSneaking = 0x004D9290;   // thiscall
constexpr uint32_t HostSetGraphBool = 0x00650C60;      // thiscall on actor + animGraph
constexpr uint32_t HostHasMagicEffectKeyword = 0x006635B0;  // thiscall on actor + magicTarget
constexpr uint32_t HostFactionQuery = 0x006A90C0;      // thiscall (faction, is-player)
constexpr uint32_t HostHasKeyword = 0x006A9550;        // thiscall (keyword)
constexpr uint32_t HostHasPerk = 0x006AA190;           // thiscall (perk); saved
constexpr uint32_t HostActorIsRunning = 0x006AB210;    // thiscall
constexpr uint32_t HostActorIsJumping = 0x006AB2F0;    // thiscall
constexpr uint32_t HostActorIsSprinting = 0x006BBEB0;  // thiscall
constexpr uint32_t HostActorIsDead = 0x008DA830;       // cdecl (0, 0, actor)
constexpr uint32_t HostActorIsSitting = 0x008DA8E0;    // cdecl (0, 0, actor)
constexpr uint32_t HostActorIsMounted = 0x008DCB40;    // cdecl (0, 0, actor)
constexpr uint32_t animGraph = 0x20;       // animation-graph sub-object
constexpr uint32_t magicTarget = 0x54;     // magic-target sub-object
constexpr uint32_t stateFlags = 0x68;      // u32
constexpr uint32_t stateWord = 0x6C;       // u32
constexpr uint32_t aiProcess = 0x88;       // AI process*
constexpr uint32_t race = 0x130;           // race*
constexpr uint32_t killMoveFlags = 0x138;  // u32
}  // namespace GameActor

namespace GameAnimGraph {
constexpr uint32_t sendEventSlot = 0x04;  // virtual slot 1: (EngineString*); saved
}

namespace GameMagicTarget {
// The active effects accessor: the word at +0x1C of the magic-target sub-object's virtual
// table (slot 7), called thiscall on the sub-object without arguments; it answers a
// null-terminated array of effect pointers.
constexpr uint32_t activeEffectsSlot = 0x1C;
}

namespace GameActiveEffect {
constexpr uint32_t item = 0x34;  // effect item*
}

namespace GameEffectItem {
constexpr uint32_t baseEffect = 0x0C;  // magic effect form*
}

namespace GameMagicEffect {
constexpr uint32_t keywords = 0x28;      // keyword form**
constexpr uint32_t keywordCount = 0x2C;  // u32
}

namespace GameRace {
constexpr uint32_t name = 0x1D0;  // const char*
}

namespace GameAiProcess {
constexpr uint32_t HostClearHeadTrackTarget = 0x0071F360;  // thiscall
constexpr uint32_t HostSetHeadTrackTarget = 0x00723E40;    // thiscall (actor, point)
constexpr uint32_t leftHand = 0x68;                        // form*
constexpr uint32_t rightHand = 0x6C;                       // form*
}  // namespace GameAiProcess

namespace GameHandItem {
constexpr uint32_t weaponKind = 0xF1;  // u8
}

namespace GameCombatState {
constexpr uint32_t handMode = 0x14;     // u8
constexpr uint32_t rightActive = 0x24;  // u8
constexpr uint32_t leftActive = 0x25;   // u8
}  // namespace GameCombatState

namespace GameWornItems {
constexpr uint32_t HostWornVisit = 0x00476800;          // cdecl (actor)
constexpr uint32_t HostWornVisitCallback = 0x004769C0;  // cdecl (worn items, keyword)
}

namespace GameConditionGlobal {
constexpr uint32_t keywords = 0x38;      // keyword form**
constexpr uint32_t keywordCount = 0x40;  // i32
}

namespace GameNode {
constexpr uint32_t worldRotation = 0x54;     // 9 x f32, row-major
constexpr uint32_t worldTranslation = 0x78;  // 3 x f32
constexpr uint32_t findDescendantSlot = 0x9C;  // virtual slot 39: (EngineString*) -> node
}

namespace GameEngineString {
constexpr uint32_t HostEngineStringRelease = 0x00A511B0;  // thiscall on the slot; saved
constexpr uint32_t HostEngineStringCreate = 0x00A511C0;   // thiscall on the slot (text)
}

namespace GamePlayer {
constexpr uint32_t HostPlayerCrosshairPick = 0x0073DBA0;  // thiscall (out word*)
}

namespace GamePlayerCamera {
constexpr uint32_t HostCameraGoThirdPerson = 0x0083C660;     // thiscall
constexpr uint32_t HostCameraForceThirdPerson = 0x0083C6B0;  // thiscall
constexpr uint32_t HostCameraWeaponRefresh = 0x0083C7E0;     // thiscall (bool); saved
constexpr uint32_t HostCameraGoFirstPerson = 0x0083CE50;     // thiscall
constexpr uint32_t HostCameraForceFirstPerson = 0x0083CE90;  // thiscall
constexpr uint32_t currentState = 0x20;                      // camera state*
constexpr uint32_t fieldOfView = 0xAC;                       // f32
}  // namespace GamePlayerCamera

namespace GameCameraState {
constexpr uint32_t id = 0x0C;             // i32
constexpr uint32_t position = 0x20;       // 3 x f32
constexpr uint32_t clearedOffset0 = 0x3C;  // u32
constexpr uint32_t clearedOffset1 = 0x40;  // u32
constexpr uint32_t clearedOffset2 = 0x44;  // u32
constexpr uint32_t yaw = 0xAC;            // f32, states 9, 10, 12
constexpr uint32_t pitch = 0xB0;          // f32, states 9, 10, 12
}  // namespace GameCameraState

namespace GameMenuManager {
constexpr uint32_t HostMenuIsOpen = 0x00A5CE90;  // thiscall (EngineString*)
}

namespace GameInputManager {
constexpr uint32_t HostInputPollStep = 0x00772A50;  // thiscall; saved
}

namespace GameConsole {
// thiscall (format, va_list); removes both arguments itself.
constexpr uint32_t HostConsolePrint = 0x008486F0;
}

namespace GameUiState {
constexpr uint32_t notRunning = 0x0A;  // u8
constexpr uint32_t window = 0x0C;      // window handle
}

namespace GameMainState {
constexpr uint32_t notRunning = 0x98;  // u8
}

namespace GameCrosshairRef {
constexpr uint32_t handle = 0x04;  // u32 reference handle
}

namespace GameGlobal {
constexpr uint32_t HostImportKeyState = 0x0106B2BC;  // import slot: stdcall (virtual key)
constexpr uint32_t HostVatsDisabled = 0x01278034;    // u32
constexpr uint32_t HostTimeScale = 0x012C2414;       // f32
constexpr uint32_t HostNearClip = 0x012C8D54;        // f32
constexpr uint32_t HostConditionGlobal = 0x012E2CB8;  // object*
constexpr uint32_t HostMenuManager = 0x012E3548;     // object*
constexpr uint32_t HostPlayerCamera = 0x012E7288;    // object*
constexpr uint32_t HostInputManager = 0x012E7454;    // object*
constexpr uint32_t HostMainState = 0x012E7458;       // object*
constexpr uint32_t HostInvalidRefHandle = 0x01310630;  // u32
constexpr uint32_t HostConsole = 0x01B10B58;         // object*
constexpr uint32_t HostCrosshairRef = 0x01B115D8;    // object*
constexpr uint32_t HostUiState = 0x01B2E860;         // object*
constexpr uint32_t HostPlayer = 0x01B2E8E4;          // reference*
constexpr uint32_t HostPlayerCombatState = 0x01B2EF3C;  // object*
constexpr uint32_t HostFrameTimeA = 0x01B4ADE0;      // f32
constexpr uint32_t HostFrameTimeB = 0x01B4ADE4;      // f32
}  // namespace GameGlobal

// The hook rows of hooks.def, each a namespace named by what it does: its number (the id the
// console names), where its patch starts and ends, and the addresses its stub goes through.
#define HOOK(number_, name, site_, end_)   \
  namespace Hook##name {                   \
  constexpr int32_t number = number_;      \
  constexpr uint32_t site = site_;         \
  constexpr uint32_t end = end_;           \
  }
#define HOOK_SLOT(name, role, address) \
  namespace Hook##name {               \
  constexpr uint32_t role = address;   \
  }
#include "host/game/hooks.def"
