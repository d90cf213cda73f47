#pragma once
// The host seam: every fact the core reads from the game and every call it makes into it.
//
// Layering rule: everything above this header compiles and runs without the game. A build
// links exactly one implementation: src/host/game/ (the 32-bit binding) or sim/ (the
// simulated game). Implementations are thin: an operation reads a field, writes a field or
// calls one host function. Every decision (bit tests, fallbacks, searches, clamping) lives
// in the core. A null handle argument is never passed: the core checks first.
//
// Sections: handles, forms and references, actors, hands, nodes, camera, globals,
// condition queries, magic effects, input, console.

#include <cstdint>

// Opaque handles. In the game these are addresses of host objects; in the simulation they are
// the simulated objects. An actor is a reference, and a reference is a form: use the
// conversion operations below, never a cast.
struct HostForm;
struct HostRef;
struct HostActor;
struct HostLoaded3D;
struct HostNode;
struct HostCamera;
struct HostCameraState;
struct HostAiProcess;
struct HostRace;
struct HostCell;
struct HostHandItem;
struct HostKeyword;
struct HostConditionForm;
struct HostWornItems;
struct HostActiveEffect;
struct HostEffectItem;
struct HostMenuManager;
struct HostUiState;
struct HostMainState;
struct HostConsole;
struct HostInputManager;
struct HostCombatState;
struct HostConditionGlobal;
struct HostCrosshairRefHolder;

// The game's 4-byte interned name object. The core keeps it where it likes (on the stack
// is fine), builds it with HostEngineStringCreate and always releases it with
// HostEngineStringRelease before it goes out of scope.
struct EngineString {
  uint32_t data;
};

// --- Conversions (no run-time check; the object must already be of that kind) ---
HostForm* HostRefAsForm(HostRef* ref);
HostRef* HostActorAsRef(HostActor* actor);
HostForm* HostKeywordAsForm(HostKeyword* keyword);

// --- Forms and references ---
HostForm* HostLookupFormById(uint32_t formId);               // null when no such form
// Dynamic casts from a form (HostDynamicCast from HostTypeForm); null for the wrong type.
HostRef* HostCastToReference(HostForm* form);
HostActor* HostCastToActor(HostForm* form);
HostConditionForm* HostCastToConditionForm(HostForm* form);
HostKeyword* HostCastToKeyword(HostForm* form);
HostHandItem* HostCastToHandItem(HostForm* form);
uint32_t HostFormId(HostForm* form);                          // +0x0C
uint8_t HostFormType(HostForm* form);                         // +0x12
const char* HostKeywordEditorName(HostForm* keyword);         // +0x14, may be null
float HostRefRotationX(HostRef* ref);                         // +0x28, radians
float HostRefRotationZ(HostRef* ref);                         // +0x30, radians
HostLoaded3D* HostRefLoaded3D(HostRef* ref);                  // +0x44, null = not loaded
HostNode* HostLoaded3DRootNode(HostLoaded3D* loaded);         // +0x20, may be null
HostForm* HostRefBaseForm(HostRef* ref);                      // +0x24, may be null
HostCell* HostRefParentCell(HostRef* ref);                    // +0x40, may be null
uint8_t HostCellFlags(HostCell* cell);                        // byte +0x2C, bit 0 interior
// Resolves a reference handle, taking a reference count. Never called with 0 or the
// invalid handle. Registers and flags saved.
HostRef* HostLookupRefByHandle(uint32_t handle);
void HostReleaseRef(HostRef* ref);                            // drops that count
uint32_t HostInvalidRefHandle();                              // the word at 0x01310630

// --- Actors ---
uint32_t HostActorStateFlags(HostActor* actor);               // +0x68
uint32_t HostActorStateWord(HostActor* actor);                // +0x6C
void HostActorSetStateWord(HostActor* actor, uint32_t word);  // +0x6C
uint32_t HostActorKillMoveFlags(HostActor* actor);            // +0x138
HostAiProcess* HostActorAiProcess(HostActor* actor);          // +0x88, may be null
HostRace* HostActorRace(HostActor* actor);                    // +0x130, may be null
const char* HostRaceName(HostRace* race);                     // +0x1D0, may be null
// Actor queries; the raw answer in EAX (the core tests the low byte).
uint32_t HostActorIsRunning(HostActor* actor);
uint32_t HostActorIsSprinting(HostActor* actor);
uint32_t HostActorIsDead(HostActor* actor);
uint32_t HostActorIsMounted(HostActor* actor);
uint32_t HostActorIsSneaking(HostActor* actor);
uint32_t HostActorIsSitting(HostActor* actor);
uint32_t HostActorIsJumping(HostActor* actor);
// Head tracking through the actor's AI process.
void HostSetHeadTrackTarget(HostAiProcess* process, HostActor* actor, const float point[3]);
void HostClearHeadTrackTarget(HostAiProcess* process);
// Animation graph (the sub-object at actor +0x20).
void HostSetGraphBool(HostActor* actor, EngineString* name, bool value);
void HostSendAnimEvent(HostActor* actor, EngineString* event);  // registers and flags saved

// --- Hands ---
HostForm* HostAiProcessRightHand(HostAiProcess* process);    // +0x6C, may be null
HostForm* HostAiProcessLeftHand(HostAiProcess* process);     // +0x68, may be null
uint8_t HostHandItemWeaponKind(HostHandItem* item);           // +0xF1
HostCombatState* HostPlayerCombatState();                     // may be null
uint8_t HostCombatStateHandMode(HostCombatState* state);      // byte +0x14
uint8_t HostCombatStateRightActive(HostCombatState* state);   // byte +0x24
uint8_t HostCombatStateLeftActive(HostCombatState* state);    // byte +0x25

// --- Scene nodes ---
void HostEngineStringCreate(EngineString* slot, const char* text);
void HostEngineStringRelease(EngineString* slot);             // registers and flags saved
HostNode* HostNodeFindDescendant(HostNode* node, EngineString* name);  // virtual slot 39
void HostNodeWorldRotation(HostNode* node, float out[9]);     // +0x54, row-major
void HostNodeWorldTranslation(HostNode* node, float out[3]);  // +0x78

// --- Camera ---
HostCamera* HostPlayerCamera();                               // may be null
HostCameraState* HostCameraCurrentState(HostCamera* camera);  // +0x20, may be null
int32_t HostCameraStateId(HostCameraState* state);            // +0x0C
float HostCameraFieldOfView(HostCamera* camera);              // +0xAC
void HostCameraSetFieldOfView(HostCamera* camera, float fov);
float HostCameraStateYaw(HostCameraState* state);             // +0xAC
float HostCameraStatePitch(HostCameraState* state);           // +0xB0
void HostCameraStateSetYaw(HostCameraState* state, float value);
void HostCameraStateSetPitch(HostCameraState* state, float value);
void HostCameraStateClearOffsets(HostCameraState* state);     // zeroes +0x3C, +0x40, +0x44
void HostCameraWeaponRefresh(HostCamera* camera, bool weaponOut);  // registers and flags saved
void HostCameraGoThirdPerson(HostCamera* camera);
void HostCameraForceThirdPerson(HostCamera* camera);
void HostCameraGoFirstPerson(HostCamera* camera);
void HostCameraForceFirstPerson(HostCamera* camera);
// Runs the crosshair pick for the player; while it runs, the pick hands the picked point to
// OnCrosshairPickPoint (the pick hook in the game, a direct call in the sim).
void HostPlayerCrosshairPick(HostRef* player);
// Implemented by the plug-in, called by the host: the point the crosshair pick found.
void OnCrosshairPickPoint(const float point[3]);

// --- Globals ---
HostRef* HostPlayer();                                        // may be null
HostMenuManager* HostMenuManagerGet();                        // may be null
uint32_t HostMenuIsOpen(HostMenuManager* manager, EngineString* menuName);
HostUiState* HostUiStateGet();                                // may be null
uint8_t HostUiStateNotRunning(HostUiState* state);            // byte +0x0A
uintptr_t HostUiStateWindow(HostUiState* state);              // +0x0C, 0 = none
HostMainState* HostMainStateGet();                            // may be null
uint8_t HostMainStateNotRunning(HostMainState* state);        // byte +0x98
float HostFrameTimeA();
float HostFrameTimeB();
HostCrosshairRefHolder* HostCrosshairRefGet();                // may be null
uint32_t HostCrosshairRefHandle(HostCrosshairRefHolder* holder);  // +4
float HostNearClipGet();
void HostNearClipSet(float value);
float HostTimeScaleGet();
void HostTimeScaleSet(float value);
uint32_t HostVatsDisabledGet();
void HostVatsDisabledSet(uint32_t value);

// --- Condition queries ---
uint32_t HostFactionQuery(HostActor* actor, HostConditionForm* faction, bool isPlayer);
uint32_t HostHasPerk(HostActor* actor, HostForm* perk);       // registers and flags saved
uint32_t HostHasKeyword(HostActor* actor, HostKeyword* keyword);
HostWornItems* HostWornVisit(HostActor* actor);               // may be null
uint32_t HostWornVisitCallback(HostWornItems* worn, HostKeyword* keyword);
HostConditionGlobal* HostConditionGlobalGet();                // may be null
int32_t HostConditionGlobalKeywordCount(HostConditionGlobal* global);   // +0x40
HostForm* HostConditionGlobalKeyword(HostConditionGlobal* global, int32_t i);  // array at +0x38

// --- Magic effects ---
// The actor's active effects: a null-terminated array (may itself be null).
HostActiveEffect** HostActorActiveEffects(HostActor* actor);
HostEffectItem* HostActiveEffectItem(HostActiveEffect* effect);  // +0x34, may be null
HostForm* HostEffectItemBaseEffect(HostEffectItem* item);        // +0x0C, may be null
uint32_t HostMagicEffectKeywordCount(HostForm* magicEffect);     // +0x2C
HostForm* HostMagicEffectKeyword(HostForm* magicEffect, uint32_t i);  // array at +0x28
// On the actor's sub-object at +0x54, with (keyword, 0); registers and flags saved.
uint32_t HostHasMagicEffectKeyword(HostActor* actor, HostForm* keyword);

// --- Input and window ---
HostInputManager* HostInputManagerGet();                      // may be null
uint32_t HostInputPollStep(HostInputManager* manager);        // registers and flags saved
uintptr_t HostActiveWindow();                                 // GetActiveWindow
uint32_t HostKeyState(int32_t virtualKey);                    // through the game's import slot

// --- Console ---
HostConsole* HostConsoleGet();                                // may be null
// Prints a finished line; the console treats it as a printf format.
void HostConsolePrint(HostConsole* console, const char* line);
