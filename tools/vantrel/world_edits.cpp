#include "world_edits.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <type_traits>

#include "config/literals.h"
#include "plugin/plugin.h"
#include "plugin_session.h"
#include "sim_world.h"

namespace {

// Weapon kind bytes the simulated hands hold.
constexpr uint8_t kOneHandedKind = 1;
constexpr uint8_t kTwoHandedKind = 5;
constexpr uint8_t kBowKind = 7;
constexpr uint8_t kCrossbowKind = 9;

constexpr uint32_t kWeaponOutBits = 0x60;  // drawn: the 3-bit field in bits 5-7 is 3
constexpr uint32_t kWeaponBitsMask = 0xE0;
constexpr uint32_t kWalkingFlag = 0x40;
constexpr uint32_t kSwimmingFlag = 0x400;
constexpr uint32_t kKillMoveFlag = 0x4000;

void SetBit(uint32_t& word, uint32_t bit, bool on) { word = on ? (word | bit) : (word & ~bit); }

template <typename T>
void RemoveOne(std::vector<T>& items, T item) {
  auto found = std::find(items.begin(), items.end(), item);
  if (found != items.end()) items.erase(found);
}

// The form of that id, created with the given type when the game has none.
HostForm* FormWithId(uint32_t formId, uint8_t formType) {
  if (HostForm* form = Sim().LookupForm(formId)) return form;
  return Sim().CreateForm(formType, formId);
}

// Takes node out of the subtree under parent; false when it is not there (or is the root).
bool DetachNode(HostNode* parent, HostNode* node) {
  auto& children = parent->children;
  if (auto found = std::find(children.begin(), children.end(), node); found != children.end()) {
    children.erase(found);
    return true;
  }
  for (HostNode* child : children) {
    if (DetachNode(child, node)) return true;
  }
  return false;
}

}  // namespace

bool ReadFloat(const std::string& word, float& out) {
  const ValueData data = ParseValueText(ValueType::Float, word);
  if (!data.isSet || word.empty()) return false;
  out = data.AsFloat();
  return true;
}

bool ReadInt(const std::string& word, int32_t& out) {
  const ValueData data = ParseValueText(ValueType::Int, word);
  if (!data.isSet || word.empty()) return false;
  out = data.AsInt();
  return true;
}

HostActor* FollowedActor() {
  const uint32_t chosen = Plugin::Instance().controller.requestedRefFormId;
  if (chosen != 0) {
    if (HostForm* form = Sim().LookupForm(chosen)) {
      if (auto* actor = dynamic_cast<HostActor*>(form)) return actor;
    }
  }
  return Sim().player;
}

bool SetGameState(const std::string& name, const std::string& literal) {
  Value* value = FindSessionValue(name);
  if (!value) return false;
  const ValueData data = ParseValueText(value->type, literal);
  if (!data.isSet || (literal.empty() && value->type != ValueType::String)) return false;
  HostActor* actor = FollowedActor();
  if (!actor) return false;
  const bool on = data.AsBool();
  switch (value->index) {
    case Vid::bWalking: SetBit(actor->stateFlags, kWalkingFlag, on); return true;
    case Vid::bSwimming: SetBit(actor->stateFlags, kSwimmingFlag, on); return true;
    case Vid::bKillMove: SetBit(actor->killMoveFlags, kKillMoveFlag, on); return true;
    case Vid::bWeaponOut:
      actor->stateWord = (actor->stateWord & ~kWeaponBitsMask) | (on ? kWeaponOutBits : 0);
      return true;
    case Vid::bRunning: actor->isRunning = on; return true;
    case Vid::bSprinting: actor->isSprinting = on; return true;
    case Vid::bDead: actor->isDead = on; return true;
    case Vid::bMounted: actor->isMounted = on; return true;
    case Vid::bSneaking: actor->isSneaking = on; return true;
    case Vid::bSitting: actor->isSitting = on; return true;
    case Vid::bJumping: actor->isJumping = on; return true;
    case Vid::sRace: actor->race = Sim().Race(data.text); return true;
    case Vid::bIndoors: actor->parentCell = Sim().Cell(on); return true;
    case Vid::iObjectBaseFormId:
      actor->baseForm = FormWithId(static_cast<uint32_t>(data.AsInt()), SimFormType::Npc);
      return true;
    case Vid::iCameraState:
      if (!Sim().playerCamera) return false;
      if (data.AsInt() == -1) Sim().playerCamera->currentState = nullptr;
      else Sim().SetCameraState(data.AsInt());
      return true;
    default: return false;
  }
}

namespace {

// The item a hand directive names (null for an empty hand); false for an unknown one.
bool HandItem(const std::vector<std::string>& words, HostForm*& item) {
  const std::string& holds = words[2];
  item = nullptr;
  if (words.size() == 4 && (holds == "weapon" || holds == "form")) {
    int32_t byte = 0;
    if (!ReadInt(words[3], byte) || byte < 0 || byte > 0xFF) return false;
    const auto value = static_cast<uint8_t>(byte);
    // A plain form of the weapon type byte is one the hand-item cast refuses.
    item = holds == "weapon" ? Sim().Weapon(value) : Sim().PlainForm(value);
    return true;
  }
  if (words.size() != 3) return false;
  if (holds == "spell") item = Sim().Spell();
  else if (holds == "magic") item = Sim().PlainForm(SimFormType::MagicItem);
  else if (holds == "onehanded") item = Sim().Weapon(kOneHandedKind);
  else if (holds == "twohanded") item = Sim().Weapon(kTwoHandedKind);
  else if (holds == "bow") item = Sim().Weapon(kBowKind);
  else if (holds == "crossbow") item = Sim().Weapon(kCrossbowKind);
  else if (holds != "none" && holds != "empty") return false;
  return true;
}

}  // namespace

bool SetHand(const std::vector<std::string>& words) {
  HostCombatState* combat = Sim().combatState;
  HostActor* actor = FollowedActor();
  if (!combat || words.size() < 3) return false;
  const std::string& hand = words[1];
  if (hand == "mode" && words.size() == 3) {
    int32_t mode = 0;
    if (!ReadInt(words[2], mode) || mode < 0 || mode > 0xFF) return false;
    combat->handMode = static_cast<uint8_t>(mode);
    return true;
  }
  HostForm* item = nullptr;
  if (!actor || !actor->aiProcess || (hand != "right" && hand != "left")) return false;
  if (!HandItem(words, item)) return false;
  const uint8_t active = words[2] == "none" ? 0 : 1;
  if (hand == "right") {
    combat->rightActive = active;
    combat->handMode = 0;
    actor->aiProcess->rightHand = item;
  } else {
    combat->leftActive = active;
    actor->aiProcess->leftHand = item;
  }
  return true;
}

bool IsFactDirective(const std::string& directive) {
  return directive == "faction" || directive == "perk" || directive == "keyword" ||
         directive == "worn" || directive == "effect";
}

bool EditFact(const std::string& directive, bool add, const std::string& argument) {
  HostActor* actor = FollowedActor();
  if (!actor) return false;
  if (directive == "faction" || directive == "perk") {
    int32_t formId = 0;
    if (!ReadInt(argument, formId)) return false;
    const uint32_t id = static_cast<uint32_t>(formId);
    if (directive == "faction") {
      HostForm* form = Sim().LookupForm(id);
      auto* faction = form ? dynamic_cast<HostConditionForm*>(form) : Sim().CreateFaction(id);
      if (!faction) return false;
      if (add) actor->factions.push_back(faction);
      else RemoveOne(actor->factions, faction);
    } else {
      HostForm* perk = Sim().LookupForm(id);
      if (!perk) perk = Sim().CreatePerk(id);
      if (add) actor->perks.push_back(perk);
      else RemoveOne(actor->perks, perk);
    }
    return true;
  }
  HostKeyword* keyword = Sim().Keyword(argument);
  if (directive == "keyword") {
    if (add) actor->keywords.push_back(keyword);
    else RemoveOne(actor->keywords, keyword);
    return true;
  }
  if (directive == "worn") {
    if (!actor->worn) return false;
    if (add) actor->worn->keywords.push_back(keyword);
    else RemoveOne(actor->worn->keywords, keyword);
    return true;
  }
  // effect: an active magic effect whose base effect carries the keyword.
  if (add) {
    Sim().AddActiveEffect(actor, Sim().CreateMagicEffect({keyword}));
    return true;
  }
  auto& effects = actor->activeEffects;
  auto carries = [keyword](HostActiveEffect* effect) {
    auto* base = effect->item ? dynamic_cast<HostMagicEffect*>(effect->item->baseEffect) : nullptr;
    return base && std::find(base->keywords.begin(), base->keywords.end(), keyword) !=
                       base->keywords.end();
  };
  effects.erase(std::remove_if(effects.begin(), effects.end(), carries), effects.end());
  return true;
}

bool EditNode(const std::vector<std::string>& words) {
  HostActor* player = Sim().player;
  if (!player || !player->loaded3D || !player->loaded3D->root) return false;
  const std::string& name = words[1];
  const std::string& what = words[2];
  HostNode* node = Sim().FindNode(player, name);
  if (what == "remove" && words.size() == 3) return node && DetachNode(player->loaded3D->root, node);
  float v[3] = {0, 0, 0};
  if (what == "position" && words.size() == 6) {
    for (int i = 0; i < 3; ++i) {
      if (!ReadFloat(words[3 + i], v[i])) return false;
    }
    if (!node) node = Sim().AddNode(player->loaded3D->root, name);
    node->translation = {v[0], v[1], v[2]};
    return true;
  }
  if (what == "rotation" && words.size() == 5) {
    if (!ReadFloat(words[3], v[0]) || !ReadFloat(words[4], v[1])) return false;
    if (!node) node = Sim().AddNode(player->loaded3D->root, name);
    // World rotation Rz(-yaw) * Rx(pitch), row-major.
    const double yaw = -v[0] * 3.14159265358979323846 / 180.0;
    const double pitch = v[1] * 3.14159265358979323846 / 180.0;
    const double cz = std::cos(yaw), sz = std::sin(yaw), cx = std::cos(pitch),
                 sx = std::sin(pitch);
    const double m[9] = {cz, -sz * cx, sz * sx, sz, cz * cx, -cz * sx, 0, sx, cx};
    for (int i = 0; i < 9; ++i) node->rotation[i] = static_cast<float>(m[i]);
    return true;
  }
  return false;
}

bool SetCrosshair(const std::vector<std::string>& words) {
  if (words.size() == 2 && words[1] == "none") {
    Sim().SetCrosshairRef(nullptr);
    return true;
  }
  const std::string kind = words.size() == 3 ? words[2] : "actor";
  int32_t formId = 0;
  if (words.size() > 3 || (kind != "actor" && kind != "reference")) return false;
  if (!ReadInt(words[1], formId) || formId == 0) return false;
  const auto id = static_cast<uint32_t>(formId);
  HostForm* form = Sim().LookupForm(id);
  auto* ref = dynamic_cast<HostRef*>(form);
  if (form && !ref) return false;
  if (!ref) ref = kind == "actor" ? Sim().CreateActor(id) : Sim().CreateReference(id);
  Sim().SetCrosshairRef(ref);
  return true;
}

bool SetPick(const std::vector<std::string>& words) {
  if (words.size() == 2 && words[1] == "none") {
    Sim().pickResult.reset();
    return true;
  }
  float v[3];
  if (words.size() != 4) return false;  // "pick X" alone names no point
  for (int i = 0; i < 3; ++i) {
    if (!ReadFloat(words[1 + i], v[i])) return false;
  }
  Sim().pickResult = std::array<float, 3>{v[0], v[1], v[2]};
  return true;
}

bool SetGameRunning(const std::string& word) {
  SimWorld& world = Sim();
  if ((word != "running" && word != "paused") || !world.uiState || !world.mainState) return false;
  world.uiState->notRunning = word == "paused" ? 1 : 0;
  world.mainState->notRunning = 0;
  return true;
}

bool SetPresence(const std::string& name, bool present) {
  // The objects taken away, by name, so that "restore" puts the same one back. A scenario
  // runs once per process, after the world's only Reset, so the pointers stay valid.
  static std::map<std::string, void*> removed;
  SimWorld& world = Sim();
  auto toggle = [&](auto*& slot) {
    using Object = std::remove_reference_t<decltype(*slot)>;
    void*& kept = removed[name];
    if (!present && slot) kept = slot;
    slot = present ? (slot ? slot : static_cast<Object*>(kept)) : nullptr;
    return true;
  };
  if (name == "console") return toggle(world.console);
  if (name == "camera") return toggle(world.playerCamera);
  if (name == "keywords") return toggle(world.conditionGlobal);
  if (name == "input") return toggle(world.inputManager);
  if (name == "menus") return toggle(world.menuManager);
  if (name == "combat") return toggle(world.combatState);
  if (name == "crosshair") return toggle(world.crosshairRef);
  if (name == "ui") return toggle(world.uiState);
  if (name == "main") return toggle(world.mainState);
  if (name == "player") return toggle(world.player);
  return false;
}

bool SetAnswer(const std::string& query, const std::string& word) {
  SimWorld& world = Sim();
  std::optional<uint32_t>* forced = query == "menu"      ? &world.menuAnswer
                                    : query == "faction" ? &world.factionAnswer
                                    : query == "perk"    ? &world.perkAnswer
                                    : query == "keyword" ? &world.keywordAnswer
                                    : query == "worn"    ? &world.wornAnswer
                                                         : nullptr;
  if (forced && word == "normal") {
    forced->reset();
    return true;
  }
  int32_t answer = 0;
  if (!ReadInt(word, answer)) return false;
  const auto raw = static_cast<uint32_t>(answer);
  if (forced) {
    *forced = raw;
    return true;
  }
  HostActor* actor = FollowedActor();
  if (!actor) return false;
  uint32_t* field = query == "running"     ? &actor->isRunning
                    : query == "sprinting" ? &actor->isSprinting
                    : query == "dead"      ? &actor->isDead
                    : query == "mounted"   ? &actor->isMounted
                    : query == "sneaking"  ? &actor->isSneaking
                    : query == "sitting"   ? &actor->isSitting
                    : query == "jumping"   ? &actor->isJumping
                                           : nullptr;
  if (!field) return false;
  *field = raw;
  return true;
}
