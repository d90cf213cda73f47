#pragma once
// The simulated game world and its control API. Tests and the simulate tool set the world up
// through Sim(), run the plug-in against it, and read back what the plug-in wrote. The host
// seam (host/host.h) is implemented over this world in sim_host.cpp.
//
// Start state (after Reset, and at program start):
// - player: actor, form id 0x14, base form 0x07, race "HumanRace", an exterior parent cell, an
//   AI process with empty hands, empty worn items, loaded 3D with a human skeleton:
//   "NPC Root [Root]" (0, 0, 0) > "NPC Spine2 [Spn2]" (0, 0, 95) > "NPC Head [Head]"
//   (0, 0, 120) > "NPCEyeBone" (0, 6, 124), identity rotations;
// - player camera in state 9 (a state object for id 9), field of view 75, drawing from
//   (0, -150, 140) looking ahead (+Y);
// - near clip 15, time scale 1.0, VATS switch 0, frame durations A and B 1/60 s;
// - console, menu manager (no menu open), UI state and main state (running), UI window equal
//   to the active window, input manager answering 1, no key down;
// - combat state present with no active hand, condition global with no keyword, crosshair
//   holder present with handle 0, no pick result.
//
// The logs the world keeps of the plug-in's calls (console lines, animation events, camera
// calls) hold the latest kSimLogCapacity entries at most.
//
// Pointers handed out stay valid until the next Reset. Setting a global pointer (player,
// playerCamera, console, ...) to null makes the host report it absent.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "sim_objects.h"

constexpr uint32_t kSimPlayerFormId = 0x14;
constexpr size_t kSimLogCapacity = 4096;

// Appends to one of the world's logs; a full log first drops its older half.
template <typename T, typename Item>
void AppendToSimLog(std::vector<T>& log, Item&& item) {
  if (log.size() >= kSimLogCapacity) log.erase(log.begin(), log.begin() + kSimLogCapacity / 2);
  log.push_back(std::forward<Item>(item));
}

class SimWorld {
 public:
  SimWorld();

  // Drops every object and counter and builds the start state again.
  void Reset();

  // --- Globals (null = absent) ---
  HostActor* player = nullptr;
  HostCamera* playerCamera = nullptr;
  HostMenuManager* menuManager = nullptr;
  HostUiState* uiState = nullptr;
  HostMainState* mainState = nullptr;
  HostConsole* console = nullptr;
  HostInputManager* inputManager = nullptr;
  HostCombatState* combatState = nullptr;
  HostConditionGlobal* conditionGlobal = nullptr;
  HostCrosshairRefHolder* crosshairRef = nullptr;

  // --- Plain host globals ---
  float nearClip = 15;
  float timeScale = 1;
  uint32_t vatsDisabled = 0;
  float frameTimeA = 1.0f / 60;
  float frameTimeB = 1.0f / 60;
  uintptr_t activeWindow = 0;
  uint32_t invalidRefHandle = 0;  // the host's invalid reference handle
  std::set<int32_t> keysDown;     // virtual-key codes
  // Raw answers that replace what these host tests compute from the world (nullopt: computed).
  // The game's answers are bools whose upper bytes may hold anything.
  std::optional<uint32_t> menuAnswer;
  std::optional<uint32_t> factionAnswer;
  std::optional<uint32_t> perkAnswer;
  std::optional<uint32_t> keywordAnswer;
  std::optional<uint32_t> wornAnswer;
  std::optional<uint32_t> firstPersonAnswer;  // the game's own first-person query
  // What the crosshair pick hands to the controller; nullopt = nothing picked.
  std::optional<std::array<float, 3>> pickResult;
  int32_t crosshairPickCalls = 0;

  // --- Contract counters (a correct plug-in leaves every one at 0) ---
  int64_t liveEngineStrings = 0;    // created minus released
  int64_t engineStringFaults = 0;   // releases of a slot that holds no live string
  int64_t liveRefCounts = 0;        // reference counts taken minus released
  int64_t refFaults = 0;            // lookups of 0 or the invalid handle, surplus releases
  int64_t consoleFormatFaults = 0;  // a '%' not part of "%%" in a printed line
  // Is-player flag of the last HostFactionQuery; -1 before the first.
  int32_t lastFactionQueryPlayerFlag = -1;

  // --- Creating objects ---
  // Forms get a fresh form id unless one is given.
  HostForm* CreateForm(uint8_t formType, uint32_t formId = 0);
  // The keyword of that editor name, created (and added to the condition global's list) on
  // first use. Its form id is the same in every Reset of the process.
  HostKeyword* Keyword(const std::string& editorName);
  HostConditionForm* CreateFaction(uint32_t formId = 0);
  HostForm* CreatePerk(uint32_t formId = 0);
  HostForm* CreateSpell();
  HostHandItem* CreateWeapon(uint8_t weaponKind);
  HostMagicEffect* CreateMagicEffect(std::vector<HostForm*> keywords);
  // An active effect whose item's base effect is baseEffect (which may be null).
  HostActiveEffect* AddActiveEffect(HostActor* actor, HostForm* baseEffect);
  HostRace* CreateRace(const std::string& name);
  HostCell* CreateCell(bool interior);
  // The same object for the same argument until the next Reset, so a long run that keeps
  // changing hands, races or cells does not keep adding objects.
  HostHandItem* Weapon(uint8_t weaponKind);
  HostForm* Spell();
  HostForm* PlainForm(uint8_t formType);  // a form of that type and nothing more
  HostRace* Race(const std::string& name);
  HostCell* Cell(bool interior);
  // An actor like the player (human skeleton, AI process, race "HumanRace", worn items).
  HostActor* CreateActor(uint32_t formId = 0);
  // An actor whose skeleton is a root "Root" holding only the given node names, as children
  // at heights 50, 60, ...
  HostActor* CreateCreature(const std::vector<std::string>& nodeNames, uint32_t formId = 0);
  // A reference that is not an actor, loaded, with a root node "Root".
  HostRef* CreateReference(uint32_t formId = 0);
  HostNode* AddNode(HostNode* parent, const std::string& name,
                    std::array<float, 3> translation = {0, 0, 0});
  // Removes a form from the form-id lookup (the object itself stays valid).
  void ForgetForm(HostForm* form);

  // --- Changing the world ---
  uint32_t HandleOf(HostRef* ref);              // a stable handle for the reference
  void SetCrosshairRef(HostRef* ref);           // null = nothing under the crosshair
  HostCameraState* SetCameraState(int32_t id);  // made on first use; needs playerCamera
  void OpenMenu(const std::string& name);
  void CloseMenu(const std::string& name);
  void SetKeyDown(int32_t virtualKey, bool down);

  // --- Reading back ---
  HostCameraState* CurrentCameraState() const;  // null without camera or state
  std::vector<HostActor*> Actors() const;        // every actor, by form id
  // The node of that name (ignoring case) in the reference's loaded skeleton, or null.
  HostNode* FindNode(HostRef* ref, const std::string& name) const;

  // --- Used by the host implementation ---
  HostForm* LookupForm(uint32_t formId) const;
  HostRef* LookupHandle(uint32_t handle) const;
  uint32_t InternEngineString(const char* text);
  const std::string* EngineStringText(uint32_t data) const;  // null for an unknown word
  uint32_t EngineStringNameKey(uint32_t data) const;         // 0 for an unknown word
  // One key for all spellings of a name that differ only in ASCII case, made on first use: the
  // game interns names so that a search compares words, not letters.
  uint32_t NameKey(std::string_view name);
  uint32_t FindNameKey(std::string_view name) const;  // 0 when that name was never keyed

 private:
  template <typename T>
  T* Make();
  template <typename T>
  T* MakeForm(uint8_t formType, uint32_t formId);
  void BuildHumanSkeleton(HostRef* ref);
  void Load3D(HostRef* ref, HostNode* root);
  HostActor* MakeActor(uint32_t formId, uint32_t baseFormId, const std::string& race);

  std::vector<std::shared_ptr<void>> owned;
  std::unordered_map<uint32_t, HostForm*> forms;
  std::unordered_map<std::string, HostKeyword*> keywordsByName;
  std::unordered_map<uint8_t, HostHandItem*> weaponsByKind;
  HostForm* spell = nullptr;
  std::unordered_map<uint8_t, HostForm*> plainFormsByType;
  std::unordered_map<std::string, HostRace*> racesByName;
  HostCell* cells[2] = {nullptr, nullptr};  // exterior, interior
  std::unordered_map<std::string, uint32_t> keywordFormIds;  // survives Reset
  std::unordered_map<uint32_t, HostRef*> handles;
  std::unordered_map<HostRef*, uint32_t> handleOf;
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  using TextKeys = std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>>;
  struct InternedString {
    std::string text;
    uint32_t nameKey;
  };
  std::vector<InternedString> engineStrings;  // data - 1 indexes it
  TextKeys engineStringIds;
  TextKeys nameKeys;  // by the name with ASCII letters folded to lower case
  uint32_t nextFormId = 0;
  uint32_t nextHandle = 0;
};

// Inline: the host seam asks for the world on nearly every call.
inline SimWorld& Sim() {
  static SimWorld world;
  return world;
}

// Interned names (node and menu names) compare ignoring ASCII case, as the game's do.
bool SimNamesEqual(const std::string& a, const std::string& b);
// The node or its first descendant (depth first) whose name has that key; null when there is none.
HostNode* SimFindInSubtree(HostNode* node, uint32_t nameKey);
