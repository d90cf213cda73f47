// Scenario directives that change the simulated game.

#include "world_edits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

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
// The head node of the creatures "crosshair FORMID creature" makes: a name of the plug-in's
// search list that only creatures have.
constexpr const char* kCreatureHead = "Canine_Head";

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

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

// sin(180 degrees) is not 0 in doubles: what is 0 but for rounding becomes 0, so that a half
// turn given in degrees is an exact half turn.
std::array<float, 9> ToFloatRotation(const double m[9]) {
  std::array<float, 9> rotation;
  for (size_t i = 0; i < 9; ++i) {
    rotation[i] = std::fabs(m[i]) < 1e-12 ? 0 : static_cast<float>(m[i]);
  }
  return rotation;
}

// The turn by `degrees` about an axis (any length but 0), Rodrigues' form, row-major.
std::array<float, 9> AxisAngleRotation(const float axis[3], double degrees) {
  const double length = std::sqrt(double(axis[0]) * axis[0] + double(axis[1]) * axis[1] +
                                   double(axis[2]) * axis[2]);
  const double x = axis[0] / length, y = axis[1] / length, z = axis[2] / length;
  const double a = degrees * kRadiansPerDegree;
  const double c = std::cos(a), s = std::sin(a), t = 1 - c;
  const double m[9] = {x * x * t + c,     x * y * t - z * s, x * z * t + y * s,
                       x * y * t + z * s, y * y * t + c,     y * z * t - x * s,
                       x * z * t - y * s, y * z * t + x * s, z * z * t + c};
  return ToFloatRotation(m);
}

}  // namespace

std::array<float, 9> YawPitchRotation(double yawDegrees, double pitchDegrees) {
  // Rz(-yaw) * Rx(pitch).
  const double yaw = -yawDegrees * kRadiansPerDegree;
  const double pitch = pitchDegrees * kRadiansPerDegree;
  const double cz = std::cos(yaw), sz = std::sin(yaw), cx = std::cos(pitch), sx = std::sin(pitch);
  const double m[9] = {cz, -sz * cx, sz * sx, sz, cz * cx, -cz * sx, 0, sx, cx};
  return ToFloatRotation(m);
}

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
  const uint32_t chosen = Plugin::Instance().controller.RequestedRefFormId();
  if (chosen != 0) {
    if (HostForm* form = Sim().LookupForm(chosen)) {
      if (auto* actor = dynamic_cast<HostActor*>(form)) return actor;
    }
  }
  return Sim().player;
}

bool SetGameState(ScenarioRun&, DirectiveArgs& args) {
  const std::string& name = args[1];
  const std::string& literal = args[2];
  Value* value = FindSessionValue(name);
  if (!value) return args.Fail("no value '" + name + "'");
  const ValueData data = ParseValueText(value->type, literal);
  if (!data.isSet || (literal.empty() && value->type != ValueType::String)) {
    return args.Fail("'" + literal + "' is not a value of " + name + "'s type");
  }
  HostActor* actor = FollowedActor();
  if (!actor) return args.Fail("there is no player");
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
      if (!Sim().playerCamera) return args.Fail("the camera is removed");
      if (data.AsInt() == -1) Sim().playerCamera->currentState = nullptr;
      else Sim().SetCameraState(data.AsInt());
      return true;
    default: return args.Fail(name + " is not a fact the game can be given");
  }
}

bool SetMenu(ScenarioRun&, DirectiveArgs& args) {
  if (args[2] == "open") Sim().OpenMenu(args[1]);
  else Sim().CloseMenu(args[1]);
  return true;
}

namespace {

// The item a hand directive names (null for an empty hand); false for an unknown one.
bool HandItem(DirectiveArgs& args, HostForm*& item) {
  const std::string& holds = args[2];
  item = nullptr;
  if (args.size() == 4) {
    int32_t byte = 0;
    if (!args.Whole(3, byte)) return false;
    if (byte < 0 || byte > 0xFF) return args.Fail("'" + args[3] + "' is not a byte");
    const auto value = static_cast<uint8_t>(byte);
    // A plain form of the weapon type byte is one the hand-item cast refuses.
    item = holds == "weapon" ? Sim().Weapon(value) : Sim().PlainForm(value);
    return true;
  }
  if (holds == "spell") item = Sim().Spell();
  else if (holds == "magic") item = Sim().PlainForm(SimFormType::MagicItem);
  else if (holds == "onehanded") item = Sim().Weapon(kOneHandedKind);
  else if (holds == "twohanded") item = Sim().Weapon(kTwoHandedKind);
  else if (holds == "bow") item = Sim().Weapon(kBowKind);
  else if (holds == "crossbow") item = Sim().Weapon(kCrossbowKind);
  return true;
}

}  // namespace

bool SetHand(ScenarioRun&, DirectiveArgs& args) {
  HostCombatState* combat = Sim().combatState;
  if (!combat) return args.Fail("the combat state is removed");
  const std::string& hand = args[1];
  if (hand == "mode") {
    int32_t mode = 0;
    if (!args.Whole(2, mode)) return false;
    if (mode < 0 || mode > 0xFF) return args.Fail("'" + args[2] + "' is not a byte");
    combat->handMode = static_cast<uint8_t>(mode);
    return true;
  }
  HostActor* actor = FollowedActor();
  if (!actor || !actor->aiProcess) return args.Fail("the followed character has no hands");
  HostForm* item = nullptr;
  if (!HandItem(args, item)) return false;
  const uint8_t active = args[2] == "none" ? 0 : 1;
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

bool EditFact(ScenarioRun&, DirectiveArgs& args) {
  const std::string& directive = args[0];
  const bool add = args[1] == "add";
  const std::string& argument = args[2];
  HostActor* actor = FollowedActor();
  if (!actor) return args.Fail("there is no player");
  if (directive == "faction" || directive == "perk") {
    int32_t formId = 0;
    if (!args.Whole(2, formId)) return false;
    const uint32_t id = static_cast<uint32_t>(formId);
    if (directive == "faction") {
      HostForm* form = Sim().LookupForm(id);
      auto* faction = form ? dynamic_cast<HostConditionForm*>(form) : Sim().CreateFaction(id);
      if (!faction) return args.Fail("form " + argument + " is not a faction");
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
    if (!actor->worn) return args.Fail("the followed character wears nothing the game can visit");
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

bool EditNode(ScenarioRun&, DirectiveArgs& args) {
  HostActor* player = Sim().player;
  if (!player || !player->loaded3D || !player->loaded3D->root) {
    return args.Fail("the player has no skeleton");
  }
  const std::string& name = args[1];
  const std::string& what = args[2];
  HostNode* node = Sim().FindNode(player, name);
  if (what == "remove") {
    if (node && DetachNode(player->loaded3D->root, node)) return true;
    return args.Fail("the player's skeleton has no node '" + name + "' below its root");
  }
  float v[4] = {0, 0, 0, 0};
  const size_t numbers = args.size() - 3;
  for (size_t i = 0; i < numbers; ++i) {
    if (!args.Number(3 + i, v[i])) return false;
  }
  if (what == "axis" && !(v[0] != 0 || v[1] != 0 || v[2] != 0)) {
    return args.Fail("the axis (0, 0, 0) has no direction");
  }
  if (!node) node = Sim().AddNode(player->loaded3D->root, name);
  if (what == "position") {
    node->translation = {v[0], v[1], v[2]};
  } else if (what == "scale") {
    node->scale = v[0];
  } else if (what == "rotation") {
    node->rotation = YawPitchRotation(v[0], v[1]);
  } else {
    node->rotation = AxisAngleRotation(v, v[3]);
  }
  return true;
}

bool SetRefRotation(ScenarioRun&, DirectiveArgs& args) {
  const bool player = args[0] == "player";
  HostRef* ref = Sim().player;
  if (!player) {
    int32_t formId = 0;
    if (!args.Whole(1, formId)) return false;
    HostForm* form = Sim().LookupForm(static_cast<uint32_t>(formId));
    ref = form ? dynamic_cast<HostRef*>(form) : nullptr;
    if (!ref) return args.Fail("form " + args[1] + " is no reference of the game");
  }
  if (!ref) return args.Fail("there is no player");
  float pitch = 0, yaw = 0;
  const size_t first = player ? 2 : 3;
  if (!args.Number(first, pitch) || !args.Number(first + 1, yaw)) return false;
  ref->rotationX = static_cast<float>(pitch * kRadiansPerDegree);
  ref->rotationZ = static_cast<float>(yaw * kRadiansPerDegree);
  return true;
}

bool SetLoaded3D(ScenarioRun&, DirectiveArgs& args) {
  // What "none" took away, by reference, for "restore". Every Reset of the world makes new
  // references, each with its 3D loaded, so an entry is only used while its 3D is valid.
  static std::map<HostRef*, HostLoaded3D*> unloaded;
  HostActor* actor = FollowedActor();
  if (!actor) return args.Fail("there is no player");
  if (args[2] == "none") {
    if (actor->loaded3D) unloaded[actor] = std::exchange(actor->loaded3D, nullptr);
  } else if (!actor->loaded3D) {
    const auto kept = unloaded.find(actor);
    if (kept == unloaded.end()) return args.Fail("the followed character never had its 3D");
    actor->loaded3D = kept->second;
  }
  return true;
}

bool SetCrosshair(ScenarioRun&, DirectiveArgs& args) {
  if (args[1] == "none") {
    Sim().SetCrosshairRef(nullptr);
    return true;
  }
  const std::string kind = args.size() == 3 ? args[2] : "actor";
  int32_t formId = 0;
  if (!args.Whole(1, formId)) return false;
  if (formId == 0) return args.Fail("form id 0 is no reference");
  const auto id = static_cast<uint32_t>(formId);
  HostForm* form = Sim().LookupForm(id);
  auto* ref = dynamic_cast<HostRef*>(form);
  if (form && !ref) return args.Fail("form " + args[1] + " is not a reference");
  if (!ref && kind == "creature") ref = Sim().CreateCreature({kCreatureHead}, id);
  if (!ref) ref = kind == "actor" ? Sim().CreateActor(id) : Sim().CreateReference(id);
  Sim().SetCrosshairRef(ref);
  return true;
}

bool SetPick(ScenarioRun&, DirectiveArgs& args) {
  if (args[1] == "none") {
    Sim().pickResult.reset();
    return true;
  }
  float v[3];
  if (!args.Point(1, v)) return false;
  Sim().pickResult = std::array<float, 3>{v[0], v[1], v[2]};
  return true;
}

bool SetKey(ScenarioRun&, DirectiveArgs& args) {
  int32_t code = 0;
  if (!args.Whole(1, code)) return false;
  Sim().SetKeyDown(code, args[2] == "down");
  return true;
}

bool SetWindow(ScenarioRun&, DirectiveArgs& args) {
  // The game's window handle while "window none" holds it. A scenario runs after the world's
  // Reset, which gives the game the same window every time.
  static uintptr_t gameWindow = 0;
  HostUiState* ui = Sim().uiState;
  if (args[1] == "none") {
    if (!ui) return args.Fail("the ui object is removed");
    if (ui->window != 0) gameWindow = ui->window;
    ui->window = 0;
    return true;
  }
  // The game's window comes back after "window none".
  if (ui && ui->window == 0) ui->window = gameWindow;
  const uintptr_t game = ui ? ui->window : 0;
  Sim().activeWindow = args[1] == "active" ? game : game + 1;
  return true;
}

bool SetPoll(ScenarioRun&, DirectiveArgs& args) {
  int32_t answer = 0;
  if (!args.Whole(1, answer)) return false;
  if (!Sim().inputManager) return args.Fail("the input object is removed");
  Sim().inputManager->pollStep = static_cast<uint32_t>(answer);
  return true;
}

bool SetGameRunning(ScenarioRun&, DirectiveArgs& args) {
  SimWorld& world = Sim();
  if (!world.uiState || !world.mainState) return args.Fail("the ui or main object is removed");
  world.uiState->notRunning = args[1] == "paused" ? 1 : 0;
  world.mainState->notRunning = 0;
  return true;
}

bool SetPresence(ScenarioRun&, DirectiveArgs& args) {
  // The objects taken away, by name, so that "restore" puts the same one back. Every Reset of
  // the world makes each of them present again, so a kept pointer is only used while valid.
  static std::map<std::string, void*> removed;
  const std::string& name = args[1];
  const bool present = args[0] == "restore";
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
  return args.Fail("no game object '" + name + "'");
}

bool SetAnswer(ScenarioRun&, DirectiveArgs& args) {
  const std::string& query = args[1];
  const std::string& word = args[2];
  SimWorld& world = Sim();
  std::optional<uint32_t>* forced = query == "menu"      ? &world.menuAnswer
                                    : query == "faction" ? &world.factionAnswer
                                    : query == "perk"    ? &world.perkAnswer
                                    : query == "keyword" ? &world.keywordAnswer
                                    : query == "worn"    ? &world.wornAnswer
                                    : query == "firstperson" ? &world.firstPersonAnswer
                                                             : nullptr;
  if (forced && word == "normal") {
    forced->reset();
    return true;
  }
  int32_t answer = 0;
  if (!args.Whole(2, answer)) return false;
  const auto raw = static_cast<uint32_t>(answer);
  if (forced) {
    *forced = raw;
    return true;
  }
  HostActor* actor = FollowedActor();
  if (!actor) return args.Fail("there is no player");
  uint32_t* field = query == "running"     ? &actor->isRunning
                    : query == "sprinting" ? &actor->isSprinting
                    : query == "dead"      ? &actor->isDead
                    : query == "mounted"   ? &actor->isMounted
                    : query == "sneaking"  ? &actor->isSneaking
                    : query == "sitting"   ? &actor->isSitting
                    : query == "jumping"   ? &actor->isJumping
                                           : nullptr;
  if (!field) return args.Fail("no game query '" + query + "'");
  *field = raw;
  return true;
}

bool SetCameraAngles(ScenarioRun&, DirectiveArgs& args) {
  // "camera yaw DEG pitch DEG" or "game look YAW PITCH".
  const size_t pitchAt = args[0] == "camera" ? 4 : 3;
  float yaw = 0, pitch = 0;
  if (!args.Number(2, yaw) || !args.Number(pitchAt, pitch)) return false;
  HostCameraState* state = Sim().CurrentCameraState();
  if (!state) return args.Fail("the camera has no state");
  state->yaw = static_cast<float>(yaw * kRadiansPerDegree);
  state->pitch = static_cast<float>(pitch * kRadiansPerDegree);
  return true;
}
