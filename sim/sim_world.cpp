// The simulated game world: its objects, its control API (Sim()) and its reset.

#include "sim_world.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

constexpr uint32_t kFirstFormId = 0x00100000;
constexpr uint32_t kFirstKeywordFormId = 0x00E00000;
constexpr uint32_t kFirstHandle = 0x00100001;
constexpr uint32_t kInvalidHandle = 0x00FFFFF0;  // deliberately neither 0 nor all ones
constexpr uintptr_t kGameWindow = 0x00010A2C;
constexpr uint32_t kPlayerBaseFormId = 0x07;

template <typename T>
void Erase(std::vector<T>& list, const T& item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

namespace {
constexpr size_t kNameRoom = 256;
}  // namespace

SimWorld::SimWorld() { Reset(); }

template <typename T>
T* SimWorld::Make() {
  auto object = std::make_shared<T>();
  owned.push_back(object);
  return object.get();
}

template <typename T>
T* SimWorld::MakeForm(uint8_t formType, uint32_t formId) {
  T* form = Make<T>();
  form->formType = formType;
  form->formId = formId != 0 ? formId : nextFormId++;
  forms[form->formId] = form;
  return form;
}

void SimWorld::Reset() {
  owned.clear();
  forms.clear();
  keywordsByName.clear();
  weaponsByKind.clear();
  spell = nullptr;
  plainFormsByType.clear();
  racesByName.clear();
  cells[0] = cells[1] = nullptr;
  handles.clear();
  handleOf.clear();
  engineStrings.clear();
  engineStringIds.clear();
  nameKeys.clear();
  // Room for the names a run meets, made up front: tables that grow in steps as new names come
  // would show in a measure of the plug-in's heap as growth that is not the plug-in's.
  engineStrings.reserve(kNameRoom);
  engineStringIds.reserve(kNameRoom);
  nameKeys.reserve(kNameRoom);
  nextFormId = kFirstFormId;
  nextHandle = kFirstHandle;

  nearClip = 15;
  timeScale = 1;
  vatsDisabled = 0;
  frameTimeA = 1.0f / 60;
  frameTimeB = 1.0f / 60;
  activeWindow = kGameWindow;
  invalidRefHandle = kInvalidHandle;
  keysDown.clear();
  pickResult.reset();
  crosshairPickCalls = 0;
  menuAnswer.reset();
  factionAnswer.reset();
  perkAnswer.reset();
  keywordAnswer.reset();
  wornAnswer.reset();
  firstPersonAnswer.reset();

  liveEngineStrings = 0;
  engineStringFaults = 0;
  liveRefCounts = 0;
  refFaults = 0;
  consoleFormatFaults = 0;
  lastFactionQueryPlayerFlag = -1;

  menuManager = Make<HostMenuManager>();
  uiState = Make<HostUiState>();
  uiState->window = kGameWindow;
  mainState = Make<HostMainState>();
  console = Make<HostConsole>();
  inputManager = Make<HostInputManager>();
  combatState = Make<HostCombatState>();
  conditionGlobal = Make<HostConditionGlobal>();
  crosshairRef = Make<HostCrosshairRefHolder>();
  playerCamera = Make<HostCamera>();
  SetCameraState(9);
  player = MakeActor(kSimPlayerFormId, kPlayerBaseFormId, "HumanRace");
  BuildHumanSkeleton(player);
}

// --- Creating objects ---

HostForm* SimWorld::CreateForm(uint8_t formType, uint32_t formId) {
  return MakeForm<HostForm>(formType, formId);
}

HostKeyword* SimWorld::Keyword(const std::string& editorName) {
  if (auto found = keywordsByName.find(editorName); found != keywordsByName.end()) {
    return found->second;
  }
  // Stable ids keep a keyword recognisable across Resets of one process.
  auto id =
      keywordFormIds.try_emplace(editorName, kFirstKeywordFormId + uint32_t(keywordFormIds.size()));
  HostKeyword* keyword = MakeForm<HostKeyword>(SimFormType::Keyword, id.first->second);
  keyword->editorName = editorName;
  keywordsByName[editorName] = keyword;
  if (conditionGlobal) conditionGlobal->keywords.push_back(keyword);
  return keyword;
}

HostConditionForm* SimWorld::CreateFaction(uint32_t formId) {
  return MakeForm<HostConditionForm>(SimFormType::Faction, formId);
}

HostForm* SimWorld::CreatePerk(uint32_t formId) { return CreateForm(SimFormType::Perk, formId); }

HostForm* SimWorld::CreateSpell() { return CreateForm(SimFormType::Spell); }

HostHandItem* SimWorld::CreateWeapon(uint8_t weaponKind) {
  HostHandItem* weapon = MakeForm<HostHandItem>(SimFormType::Weapon, 0);
  weapon->weaponKind = weaponKind;
  return weapon;
}

HostMagicEffect* SimWorld::CreateMagicEffect(std::vector<HostForm*> keywords) {
  HostMagicEffect* effect = MakeForm<HostMagicEffect>(SimFormType::MagicEffect, 0);
  effect->keywords = std::move(keywords);
  return effect;
}

HostActiveEffect* SimWorld::AddActiveEffect(HostActor* actor, HostForm* baseEffect) {
  HostActiveEffect* effect = Make<HostActiveEffect>();
  effect->item = Make<HostEffectItem>();
  effect->item->baseEffect = baseEffect;
  actor->activeEffects.push_back(effect);
  return effect;
}

HostRace* SimWorld::CreateRace(const std::string& name) {
  HostRace* race = MakeForm<HostRace>(SimFormType::Race, 0);
  race->name = name;
  return race;
}

HostCell* SimWorld::CreateCell(bool interior) {
  HostCell* cell = MakeForm<HostCell>(SimFormType::Cell, 0);
  cell->flags = interior ? 1 : 0;
  return cell;
}

HostHandItem* SimWorld::Weapon(uint8_t weaponKind) {
  HostHandItem*& weapon = weaponsByKind[weaponKind];
  if (!weapon) weapon = CreateWeapon(weaponKind);
  return weapon;
}

HostForm* SimWorld::Spell() {
  if (!spell) spell = CreateSpell();
  return spell;
}

HostForm* SimWorld::PlainForm(uint8_t formType) {
  HostForm*& form = plainFormsByType[formType];
  if (!form) form = CreateForm(formType);
  return form;
}

HostRace* SimWorld::Race(const std::string& name) {
  HostRace*& race = racesByName[name];
  if (!race) race = CreateRace(name);
  return race;
}

HostCell* SimWorld::Cell(bool interior) {
  HostCell*& cell = cells[interior ? 1 : 0];
  if (!cell) cell = CreateCell(interior);
  return cell;
}

HostActor* SimWorld::MakeActor(uint32_t formId, uint32_t baseFormId, const std::string& race) {
  HostActor* actor = MakeForm<HostActor>(SimFormType::Actor, formId);
  actor->baseForm = CreateForm(SimFormType::Npc, baseFormId);
  actor->aiProcess = Make<HostAiProcess>();
  actor->worn = Make<HostWornItems>();
  actor->race = CreateRace(race);
  actor->parentCell = CreateCell(false);
  return actor;
}

void SimWorld::BuildHumanSkeleton(HostRef* ref) {
  HostNode* root = AddNode(nullptr, "NPC Root [Root]");
  HostNode* spine = AddNode(root, "NPC Spine2 [Spn2]", {0, 0, 95});
  HostNode* head = AddNode(spine, "NPC Head [Head]", {0, 0, 120});
  AddNode(head, "NPCEyeBone", {0, 6, 124});
  Load3D(ref, root);
}

HostActor* SimWorld::CreateActor(uint32_t formId) {
  HostActor* actor = MakeActor(formId, 0, "HumanRace");
  BuildHumanSkeleton(actor);
  return actor;
}

HostActor* SimWorld::CreateCreature(const std::vector<std::string>& nodeNames, uint32_t formId) {
  HostActor* actor = MakeActor(formId, 0, "CreatureRace");
  HostNode* root = AddNode(nullptr, "Root");
  float height = 40;
  for (const std::string& name : nodeNames) AddNode(root, name, {0, 0, height += 10});
  Load3D(actor, root);
  return actor;
}

HostRef* SimWorld::CreateReference(uint32_t formId) {
  HostRef* ref = MakeForm<HostRef>(SimFormType::Reference, formId);
  ref->baseForm = CreateForm(SimFormType::Npc);
  ref->parentCell = CreateCell(false);
  Load3D(ref, AddNode(nullptr, "Root"));
  return ref;
}

HostNode* SimWorld::AddNode(HostNode* parent, const std::string& name,
                            std::array<float, 3> translation) {
  HostNode* node = Make<HostNode>();
  node->name = name;
  node->nameKey = NameKey(name);
  node->translation = translation;
  if (parent) parent->children.push_back(node);
  return node;
}

void SimWorld::Load3D(HostRef* ref, HostNode* root) {
  ref->loaded3D = Make<HostLoaded3D>();
  ref->loaded3D->root = root;
}

void SimWorld::ForgetForm(HostForm* form) {
  if (auto found = forms.find(form->formId); found != forms.end() && found->second == form) {
    forms.erase(found);
  }
}

// --- Changing the world ---

uint32_t SimWorld::HandleOf(HostRef* ref) {
  auto [entry, added] = handleOf.try_emplace(ref, nextHandle);
  if (added) handles[nextHandle++] = ref;
  return entry->second;
}

void SimWorld::SetCrosshairRef(HostRef* ref) {
  if (crosshairRef) crosshairRef->handle = ref ? HandleOf(ref) : 0;
}

HostCameraState* SimWorld::SetCameraState(int32_t id) {
  if (!playerCamera) return nullptr;
  HostCameraState*& state = playerCamera->states[id];
  if (!state) {
    state = Make<HostCameraState>();
    state->id = id;
  }
  playerCamera->currentState = state;
  return state;
}

void SimWorld::OpenMenu(const std::string& name) {
  if (menuManager &&
      !std::count(menuManager->openMenus.begin(), menuManager->openMenus.end(), name)) {
    menuManager->openMenus.push_back(name);
  }
}

void SimWorld::CloseMenu(const std::string& name) {
  if (menuManager) Erase(menuManager->openMenus, name);
}

void SimWorld::SetKeyDown(int32_t virtualKey, bool down) {
  if (down) {
    keysDown.insert(virtualKey);
  } else {
    keysDown.erase(virtualKey);
  }
}

// --- Reading back ---

HostCameraState* SimWorld::CurrentCameraState() const {
  return playerCamera ? playerCamera->currentState : nullptr;
}

std::vector<HostActor*> SimWorld::Actors() const {
  std::vector<HostActor*> actors;
  for (const auto& [formId, form] : forms) {
    if (auto* actor = dynamic_cast<HostActor*>(form)) actors.push_back(actor);
  }
  std::sort(actors.begin(), actors.end(),
            [](const HostActor* a, const HostActor* b) { return a->formId < b->formId; });
  return actors;
}

// The game compares interned names by pointer; a fold of ASCII letters keeps the simulated
// search from costing far more than that.
bool SimNamesEqual(const std::string& a, const std::string& b) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return fold(x) == fold(y); });
}

HostNode* SimFindInSubtree(HostNode* node, uint32_t nameKey) {
  if (node->nameKey == nameKey) return node;
  for (HostNode* child : node->children) {
    if (HostNode* found = SimFindInSubtree(child, nameKey)) return found;
  }
  return nullptr;
}

HostNode* SimWorld::FindNode(HostRef* ref, const std::string& name) const {
  const uint32_t key = FindNameKey(name);
  if (key == 0 || !ref->loaded3D || !ref->loaded3D->root) return nullptr;
  return SimFindInSubtree(ref->loaded3D->root, key);
}

// --- Used by the host implementation ---

HostForm* SimWorld::LookupForm(uint32_t formId) const {
  auto found = forms.find(formId);
  return found != forms.end() ? found->second : nullptr;
}

HostRef* SimWorld::LookupHandle(uint32_t handle) const {
  auto found = handles.find(handle);
  return found != handles.end() ? found->second : nullptr;
}

uint32_t SimWorld::InternEngineString(const char* text) {
  const std::string_view key = text ? text : "";
  if (auto found = engineStringIds.find(key); found != engineStringIds.end()) return found->second;
  engineStrings.push_back({std::string(key), NameKey(key)});
  const auto data = static_cast<uint32_t>(engineStrings.size());
  engineStringIds.emplace(key, data);
  return data;
}

const std::string* SimWorld::EngineStringText(uint32_t data) const {
  if (data == 0 || data > engineStrings.size()) return nullptr;
  return &engineStrings[data - 1].text;
}

uint32_t SimWorld::EngineStringNameKey(uint32_t data) const {
  if (data == 0 || data > engineStrings.size()) return 0;
  return engineStrings[data - 1].nameKey;
}

namespace {

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return folded;
}

}  // namespace

uint32_t SimWorld::NameKey(std::string_view name) {
  return nameKeys.try_emplace(FoldedName(name), static_cast<uint32_t>(nameKeys.size() + 1))
      .first->second;
}

uint32_t SimWorld::FindNameKey(std::string_view name) const {
  const auto found = nameKeys.find(FoldedName(name));
  return found != nameKeys.end() ? found->second : 0;
}
