// The host seam over the simulated world. Like the game binding, every operation is a read, a
// write or one call; the simulated world only adds the bookkeeping that lets tests prove the
// plug-in keeps the host's contracts (counted strings and references, recorded calls).

#include <algorithm>
#include <string>
#include <utility>

#include "host/host.h"
#include "sim_world.h"

namespace {

template <typename T>
bool Contains(const std::vector<T*>& list, const void* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// The text of a live EngineString; a released or never-built one is a contract fault.
const std::string* LiveText(const EngineString* name) {
  const std::string* text = Sim().EngineStringText(name->data);
  if (!text) ++Sim().engineStringFaults;
  return text;
}

void SwitchPerson(HostCamera* camera, SimCameraCall call, int32_t stateId) {
  AppendToSimLog(camera->personCalls, call);
  if (camera == Sim().playerCamera) Sim().SetCameraState(stateId);
}

constexpr int32_t kFirstPersonState = 0;
constexpr int32_t kThirdPersonState = 9;

}  // namespace

// --- Conversions ---

HostForm* HostRefAsForm(HostRef* ref) { return ref; }
HostRef* HostActorAsRef(HostActor* actor) { return actor; }
HostForm* HostKeywordAsForm(HostKeyword* keyword) { return keyword; }

// --- Forms and references ---

HostForm* HostLookupFormById(uint32_t formId) { return Sim().LookupForm(formId); }
HostRef* HostCastToReference(HostForm* form) { return dynamic_cast<HostRef*>(form); }
HostActor* HostCastToActor(HostForm* form) { return dynamic_cast<HostActor*>(form); }
HostConditionForm* HostCastToConditionForm(HostForm* form) {
  return dynamic_cast<HostConditionForm*>(form);
}
HostKeyword* HostCastToKeyword(HostForm* form) { return dynamic_cast<HostKeyword*>(form); }
HostHandItem* HostCastToHandItem(HostForm* form) { return dynamic_cast<HostHandItem*>(form); }
uint32_t HostFormId(HostForm* form) { return form->formId; }
uint8_t HostFormType(HostForm* form) { return form->formType; }

const char* HostKeywordEditorName(HostForm* keyword) {
  auto* asKeyword = dynamic_cast<HostKeyword*>(keyword);
  return asKeyword && asKeyword->editorName ? asKeyword->editorName->c_str() : nullptr;
}

float HostRefRotationX(HostRef* ref) { return ref->rotationX; }
float HostRefRotationZ(HostRef* ref) { return ref->rotationZ; }
HostLoaded3D* HostRefLoaded3D(HostRef* ref) { return ref->loaded3D; }
HostNode* HostLoaded3DRootNode(HostLoaded3D* loaded) { return loaded->root; }
HostForm* HostRefBaseForm(HostRef* ref) { return ref->baseForm; }
HostCell* HostRefParentCell(HostRef* ref) { return ref->parentCell; }
uint8_t HostCellFlags(HostCell* cell) { return cell->flags; }

HostRef* HostLookupRefByHandle(uint32_t handle) {
  SimWorld& world = Sim();
  if (handle == 0 || handle == world.invalidRefHandle) {
    ++world.refFaults;
    return nullptr;
  }
  HostRef* ref = world.LookupHandle(handle);
  if (ref) {
    ++ref->refCount;
    ++world.liveRefCounts;
  }
  return ref;
}

void HostReleaseRef(HostRef* ref) {
  if (ref->refCount <= 0) {
    ++Sim().refFaults;
    return;
  }
  --ref->refCount;
  --Sim().liveRefCounts;
}

uint32_t HostInvalidRefHandle() { return Sim().invalidRefHandle; }

// --- Actors ---

uint32_t HostActorStateFlags(HostActor* actor) { return actor->stateFlags; }
uint32_t HostActorStateWord(HostActor* actor) { return actor->stateWord; }
void HostActorSetStateWord(HostActor* actor, uint32_t word) { actor->stateWord = word; }
uint32_t HostActorKillMoveFlags(HostActor* actor) { return actor->killMoveFlags; }
HostAiProcess* HostActorAiProcess(HostActor* actor) { return actor->aiProcess; }
HostRace* HostActorRace(HostActor* actor) { return actor->race; }
const char* HostRaceName(HostRace* race) { return race->name ? race->name->c_str() : nullptr; }
uint32_t HostActorIsRunning(HostActor* actor) { return actor->isRunning; }
uint32_t HostActorIsSprinting(HostActor* actor) { return actor->isSprinting; }
uint32_t HostActorIsDead(HostActor* actor) { return actor->isDead; }
uint32_t HostActorIsMounted(HostActor* actor) { return actor->isMounted; }
uint32_t HostActorIsSneaking(HostActor* actor) { return actor->isSneaking; }
uint32_t HostActorIsSitting(HostActor* actor) { return actor->isSitting; }
uint32_t HostActorIsJumping(HostActor* actor) { return actor->isJumping; }

void HostSetHeadTrackTarget(HostAiProcess* process, HostActor* actor, const float point[3]) {
  process->headTrackActive = true;
  process->headTrackActor = actor;
  std::copy(point, point + 3, process->headTrackPoint.begin());
  ++process->headTrackSetCalls;
}

void HostClearHeadTrackTarget(HostAiProcess* process) {
  process->headTrackActive = false;
  process->headTrackActor = nullptr;
  process->headTrackPoint = {0, 0, 0};
  ++process->headTrackClearCalls;
}

void HostSetGraphBool(HostActor* actor, EngineString* name, bool value) {
  if (const std::string* text = LiveText(name)) actor->graphBools[*text] = value;
}

void HostSendAnimEvent(HostActor* actor, EngineString* event) {
  if (const std::string* text = LiveText(event)) AppendToSimLog(actor->animEvents, *text);
}

// --- Hands ---

HostForm* HostAiProcessRightHand(HostAiProcess* process) { return process->rightHand; }
HostForm* HostAiProcessLeftHand(HostAiProcess* process) { return process->leftHand; }
uint8_t HostHandItemWeaponKind(HostHandItem* item) { return item->weaponKind; }
HostCombatState* HostPlayerCombatState() { return Sim().combatState; }
uint8_t HostCombatStateHandMode(HostCombatState* state) { return state->handMode; }
uint8_t HostCombatStateRightActive(HostCombatState* state) { return state->rightActive; }
uint8_t HostCombatStateLeftActive(HostCombatState* state) { return state->leftActive; }

// --- Scene nodes ---

void HostEngineStringCreate(EngineString* slot, const char* text) {
  slot->data = Sim().InternEngineString(text);
  ++Sim().liveEngineStrings;
}

void HostEngineStringRelease(EngineString* slot) {
  if (!Sim().EngineStringText(slot->data)) {
    ++Sim().engineStringFaults;
    return;
  }
  slot->data = 0;
  --Sim().liveEngineStrings;
}

HostNode* HostNodeFindDescendant(HostNode* node, EngineString* name) {
  if (!LiveText(name)) return nullptr;
  return SimFindInSubtree(node, Sim().EngineStringNameKey(name->data));
}

void HostNodeWorldRotation(HostNode* node, float out[9]) {
  std::copy(node->rotation.begin(), node->rotation.end(), out);
}

void HostNodeWorldTranslation(HostNode* node, float out[3]) {
  std::copy(node->translation.begin(), node->translation.end(), out);
}

// --- Camera ---

HostCamera* HostPlayerCamera() { return Sim().playerCamera; }
HostCameraState* HostCameraCurrentState(HostCamera* camera) { return camera->currentState; }
int32_t HostCameraStateId(HostCameraState* state) { return state->id; }
float HostCameraFieldOfView(HostCamera* camera) { return camera->fieldOfView; }
void HostCameraSetFieldOfView(HostCamera* camera, float fov) { camera->fieldOfView = fov; }
float HostCameraStateYaw(HostCameraState* state) { return state->yaw; }
float HostCameraStatePitch(HostCameraState* state) { return state->pitch; }
void HostCameraStateSetYaw(HostCameraState* state, float value) { state->yaw = value; }
void HostCameraStateSetPitch(HostCameraState* state, float value) { state->pitch = value; }
void HostCameraStateClearOffsets(HostCameraState* state) { state->offsets = {0, 0, 0}; }

void HostCameraWeaponRefresh(HostCamera* camera, bool weaponOut) {
  AppendToSimLog(camera->weaponRefreshes, weaponOut);
}

void HostCameraGoThirdPerson(HostCamera* camera) {
  SwitchPerson(camera, SimCameraCall::GoThirdPerson, kThirdPersonState);
}

void HostCameraForceThirdPerson(HostCamera* camera) {
  SwitchPerson(camera, SimCameraCall::ForceThirdPerson, kThirdPersonState);
}

void HostCameraGoFirstPerson(HostCamera* camera) {
  SwitchPerson(camera, SimCameraCall::GoFirstPerson, kFirstPersonState);
}

void HostCameraForceFirstPerson(HostCamera* camera) {
  SwitchPerson(camera, SimCameraCall::ForceFirstPerson, kFirstPersonState);
}

// The game's pick calls the hooked point hand-off while it runs; the sim does it directly.
void HostPlayerCrosshairPick(HostRef*) {
  SimWorld& world = Sim();
  ++world.crosshairPickCalls;
  if (world.pickResult) OnCrosshairPickPoint(world.pickResult->data());
}

// --- Globals ---

HostRef* HostPlayer() { return Sim().player; }
HostMenuManager* HostMenuManagerGet() { return Sim().menuManager; }

uint32_t HostMenuIsOpen(HostMenuManager* manager, EngineString* menuName) {
  const std::string* text = LiveText(menuName);
  if (!text) return 0;
  if (Sim().menuAnswer) return *Sim().menuAnswer;
  return std::any_of(manager->openMenus.begin(), manager->openMenus.end(),
                     [text](const std::string& open) { return SimNamesEqual(open, *text); });
}

HostUiState* HostUiStateGet() { return Sim().uiState; }
uint8_t HostUiStateNotRunning(HostUiState* state) { return state->notRunning; }
uintptr_t HostUiStateWindow(HostUiState* state) { return state->window; }
HostMainState* HostMainStateGet() { return Sim().mainState; }
uint8_t HostMainStateNotRunning(HostMainState* state) { return state->notRunning; }
float HostFrameTimeA() { return Sim().frameTimeA; }
float HostFrameTimeB() { return Sim().frameTimeB; }
HostCrosshairRefHolder* HostCrosshairRefGet() { return Sim().crosshairRef; }
uint32_t HostCrosshairRefHandle(HostCrosshairRefHolder* holder) { return holder->handle; }
float HostNearClipGet() { return Sim().nearClip; }
void HostNearClipSet(float value) { Sim().nearClip = value; }
float HostTimeScaleGet() { return Sim().timeScale; }
void HostTimeScaleSet(float value) { Sim().timeScale = value; }
uint32_t HostVatsDisabledGet() { return Sim().vatsDisabled; }
void HostVatsDisabledSet(uint32_t value) { Sim().vatsDisabled = value; }

// --- Condition queries ---

uint32_t HostFactionQuery(HostActor* actor, HostConditionForm* faction, bool isPlayer) {
  Sim().lastFactionQueryPlayerFlag = isPlayer ? 1 : 0;
  if (Sim().factionAnswer) return *Sim().factionAnswer;
  return Contains(actor->factions, faction);
}

uint32_t HostHasPerk(HostActor* actor, HostForm* perk) {
  return Sim().perkAnswer ? *Sim().perkAnswer : Contains(actor->perks, perk);
}

uint32_t HostHasKeyword(HostActor* actor, HostKeyword* keyword) {
  return Sim().keywordAnswer ? *Sim().keywordAnswer : Contains(actor->keywords, keyword);
}

HostWornItems* HostWornVisit(HostActor* actor) { return actor->worn; }

uint32_t HostWornVisitCallback(HostWornItems* worn, HostKeyword* keyword) {
  return Sim().wornAnswer ? *Sim().wornAnswer : Contains(worn->keywords, keyword);
}

HostConditionGlobal* HostConditionGlobalGet() { return Sim().conditionGlobal; }

int32_t HostConditionGlobalKeywordCount(HostConditionGlobal* global) {
  return static_cast<int32_t>(global->keywords.size());
}

HostForm* HostConditionGlobalKeyword(HostConditionGlobal* global, int32_t i) {
  if (i < 0 || i >= HostConditionGlobalKeywordCount(global)) return nullptr;
  return global->keywords[static_cast<size_t>(i)];
}

// --- Magic effects ---

HostActiveEffect** HostActorActiveEffects(HostActor* actor) {
  if (actor->activeEffects.empty()) return nullptr;
  actor->activeEffectArray = actor->activeEffects;
  actor->activeEffectArray.push_back(nullptr);
  return actor->activeEffectArray.data();
}

HostEffectItem* HostActiveEffectItem(HostActiveEffect* effect) { return effect->item; }
HostForm* HostEffectItemBaseEffect(HostEffectItem* item) { return item->baseEffect; }

uint32_t HostMagicEffectKeywordCount(HostForm* magicEffect) {
  auto* effect = dynamic_cast<HostMagicEffect*>(magicEffect);
  return effect ? static_cast<uint32_t>(effect->keywords.size()) : 0;
}

HostForm* HostMagicEffectKeyword(HostForm* magicEffect, uint32_t i) {
  auto* effect = dynamic_cast<HostMagicEffect*>(magicEffect);
  return effect && i < effect->keywords.size() ? effect->keywords[i] : nullptr;
}

uint32_t HostHasMagicEffectKeyword(HostActor* actor, HostForm* keyword) {
  for (HostActiveEffect* active : actor->activeEffects) {
    HostForm* base = active && active->item ? active->item->baseEffect : nullptr;
    auto* effect = dynamic_cast<HostMagicEffect*>(base);
    if (effect && Contains(effect->keywords, keyword)) return 1;
  }
  return 0;
}

// --- Input and window ---

HostInputManager* HostInputManagerGet() { return Sim().inputManager; }
uint32_t HostInputPollStep(HostInputManager* manager) { return manager->pollStep; }
uintptr_t HostActiveWindow() { return Sim().activeWindow; }
uint32_t HostKeyState(int32_t virtualKey) { return Sim().keysDown.count(virtualKey) ? 0x8000 : 0; }

// --- Console ---

HostConsole* HostConsoleGet() { return Sim().console; }

// The console formats the line with no arguments. Only "%%" means something then; any other
// '%' is shown as it stands (and counted, since the plug-in escapes every '%').
void HostConsolePrint(HostConsole* console, const char* line) {
  std::string shown;
  for (const char* c = line ? line : ""; *c; ++c) {
    if (*c == '%' && c[1] == '%') {
      ++c;
    } else if (*c == '%') {
      ++Sim().consoleFormatFaults;
    }
    shown += *c;
  }
  AppendToSimLog(console->lines, std::move(shown));
}
