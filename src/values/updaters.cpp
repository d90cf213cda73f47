// Helpers first (the writing rule, actor state, race, menus, hands), then the updaters in
// value-table order.

#include "values/updaters.h"

#include <string>

#include "camera/controller.h"
#include "config/text.h"
#include "values/registry.h"

namespace {

// --- The writing rule: a set value of the updater's own type, or nothing at all ---

void WriteBool(Value* value, bool result) {
  if (value && value->type == ValueType::Bool) value->current = ValueData::Bool(result);
}

void WriteInt(Value* value, int32_t result) {
  if (value && value->type == ValueType::Int) value->current = ValueData::Int(result);
}

// The actor queries answer in EAX; only the low byte counts.
bool LowByte(uint32_t answer) { return (answer & 0xFF) != 0; }

// --- Actor state ---

constexpr uint32_t kWalkingFlag = 0x40;     // state flags +0x68
constexpr uint32_t kSwimmingFlag = 0x400;   // state flags +0x68
constexpr uint32_t kKillMoveFlag = 0x4000;  // flags +0x138

bool HasStateFlag(HostActor* character, uint32_t flag) {
  return character && (HostActorStateFlags(character) & flag) != 0;
}

bool Asks(HostActor* character, uint32_t (*query)(HostActor*)) {
  return character && LowByte(query(character));
}

// --- Race ---

const char* RaceName(HostActor* character) {
  if (!character) return nullptr;
  HostRace* race = HostActorRace(character);
  return race ? HostRaceName(race) : nullptr;
}

bool RaceNameContains(HostActor* character, const char* needle) {
  const char* name = RaceName(character);
  return name && ContainsIgnoreCase(name, needle);
}

// --- Menus ---

bool IsMenuOpen(HostMenuManager* manager, const char* menuName) {
  EngineString slot{};
  HostEngineStringCreate(&slot, menuName);
  const bool open = LowByte(HostMenuIsOpen(manager, &slot));
  HostEngineStringRelease(&slot);
  return open;
}

constexpr const char* kBarterMenu = "BarterMenu";
constexpr const char* kCraftingMenu = "Crafting Menu";

// --- Hands ---

void WriteHandClass(HostActor* character, Value* value, uint32_t classMask) {
  // The first hand value of a pass classifies; without a character the last result stands.
  if (character && handCacheStale == 1) ClassifyHands(character);
  WriteBool(value, (handClass & classMask) != 0);
}

}  // namespace

bool IsWeaponOut(HostActor* actor) {
  // The 3-bit field in bits 5-7 of the state word is 3 or more.
  return actor && (HostActorStateWord(actor) & 0xE0) >= 0x60;
}

void UpdateWalking(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, HasStateFlag(character, kWalkingFlag));
}

void UpdateRunning(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, Asks(character, HostActorIsRunning));
}

void UpdateSwimming(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, HasStateFlag(character, kSwimmingFlag));
}

void UpdateSprinting(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, Asks(character, HostActorIsSprinting));
}

void UpdateWeaponOut(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, IsWeaponOut(character));
}

void UpdateDead(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, Asks(character, HostActorIsDead));
}

void UpdateKillMove(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, character && (HostActorKillMoveFlags(character) & kKillMoveFlag) != 0);
}

void UpdateRace(HostRef*, HostActor* character, Value* value) {
  if (!value || value->type != ValueType::String) return;
  const char* name = RaceName(character);
  const std::string raceName = name ? name : "";
  const bool hadText = value->current.isSet && value->current.type == ValueType::String;
  const std::string oldText = hadText ? value->current.text : std::string();
  // An unchanged name writes nothing, so an unset value meeting no race stays unset.
  if (EqualsIgnoreCase(raceName, oldText)) return;
  value->current = ValueData::String(raceName.c_str());
}

void UpdateWereWolf(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, RaceNameContains(character, "werewolf"));
}

void UpdateVampireLord(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, RaceNameContains(character, "vampirebeast"));
}

void UpdateDialogue(HostRef*, HostActor*, Value* value) {
  HostMenuManager* menus = HostMenuManagerGet();
  WriteBool(value, menus && (IsMenuOpen(menus, kBarterMenu) || IsMenuOpen(menus, kCraftingMenu)));
}

void UpdateMounted(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, Asks(character, HostActorIsMounted));
}

void UpdateSneaking(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, Asks(character, HostActorIsSneaking));
}

void UpdateCrafting(HostRef*, HostActor*, Value* value) {
  HostMenuManager* menus = HostMenuManagerGet();
  WriteBool(value, menus && IsMenuOpen(menus, kCraftingMenu));
}

void UpdateSitting(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, Asks(character, HostActorIsSitting));
}

void UpdateJumping(HostRef*, HostActor* character, Value* value) {
  WriteBool(value, Asks(character, HostActorIsJumping));
}

void UpdateAimMagic(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, EitherHand(HandClass::Magic));
}

void UpdateAimMagicLeft(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, LeftHand(HandClass::Magic));
}

void UpdateAimMagicRight(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, RightHand(HandClass::Magic));
}

void UpdateAimBow(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, EitherHand(HandClass::Bow));
}

void UpdateAimCrossbow(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, EitherHand(HandClass::Crossbow));
}

void UpdateAttackAnyHanded(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, EitherHand(HandClass::OneHanded | HandClass::TwoHanded));
}

void UpdateAttackAnyHandedLeft(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, LeftHand(HandClass::OneHanded | HandClass::TwoHanded));
}

void UpdateAttackAnyHandedRight(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, RightHand(HandClass::OneHanded | HandClass::TwoHanded));
}

void UpdateAttackOneHanded(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, EitherHand(HandClass::OneHanded));
}

void UpdateAttackOneHandedLeft(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, LeftHand(HandClass::OneHanded));
}

void UpdateAttackOneHandedRight(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, RightHand(HandClass::OneHanded));
}

void UpdateAttackTwoHanded(HostRef*, HostActor* character, Value* value) {
  WriteHandClass(character, value, EitherHand(HandClass::TwoHanded));
}

void UpdateCameraState(HostRef*, HostActor*, Value* value) {
  WriteInt(value, HostCameraStateIdOrNone());
}

// --- Plug-in state ---

void UpdateMounting(HostRef*, HostActor*, Value* value) {
  WriteBool(value, currentRegistry && currentRegistry->mountCountdown > 0);
}

void UpdateDismounting(HostRef*, HostActor*, Value* value) {
  WriteBool(value, currentRegistry && currentRegistry->dismountCountdown > 0);
}

void UpdateIsInQARN(HostRef*, HostActor*, Value* value) {
  WriteBool(value, currentRegistry && currentRegistry->inPluginView != 0);
}

void UpdateIsActive(HostRef*, HostActor*, Value* value) {
  WriteBool(value, CameraController::Instance().IsActivated());
}

void UpdateIsTargetOverwritten(HostRef*, HostActor*, Value* value) {
  WriteBool(value, CameraController::Instance().targetRefFormId != 0);
}

// --- The target reference ---

void UpdateObjectBaseFormId(HostRef* actor, HostActor*, Value* value) {
  HostForm* base = actor ? HostRefBaseForm(actor) : nullptr;
  WriteInt(value, base ? static_cast<int32_t>(HostFormId(base)) : 0);
}

void UpdateIndoors(HostRef* actor, HostActor*, Value* value) {
  HostCell* cell = actor ? HostRefParentCell(actor) : nullptr;
  WriteBool(value, cell && (HostCellFlags(cell) & 1) != 0);
}
