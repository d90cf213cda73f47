// Helpers first (the writing rule, actor state, race, menus, hands), then the updaters in
// value-table order.

#include "values/updaters.h"

#include <string_view>

#include "base/text.h"
#include "values/camera_link.h"
#include "values/camera_state_id.h"
#include "values/registry.h"

namespace {

// --- The writing rule: a set value of the updater's own type, or nothing at all ---

// Field by field: the same record as assigning a ValueData of that type, without building one;
// a text reuses the storage the value's text already has.
void WriteSet(Value* value, ValueType type, uint32_t payload, std::string_view text = {}) {
  if (!value || value->type != type) return;
  ValueData& current = value->current;
  current.payload = payload;
  current.isSet = true;
  current.type = type;
  if (text.empty()) {
    current.text.clear();  // the usual case, and far cheaper than assigning nothing
  } else {
    current.text.assign(text);
  }
}

void WriteBool(Value* value, bool result) { WriteSet(value, ValueType::Bool, result ? 1u : 0u); }

void WriteInt(Value* value, int32_t result) {
  WriteSet(value, ValueType::Int, static_cast<uint32_t>(result));
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
  return name && ContainsIgnoringCase(name, needle);
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

void UpdateWalking(const UpdateInput& input, Value* value) {
  WriteBool(value, HasStateFlag(input.frame.followedActor, kWalkingFlag));
}

void UpdateRunning(const UpdateInput& input, Value* value) {
  WriteBool(value, Asks(input.frame.followedActor, HostActorIsRunning));
}

void UpdateSwimming(const UpdateInput& input, Value* value) {
  WriteBool(value, HasStateFlag(input.frame.followedActor, kSwimmingFlag));
}

void UpdateSprinting(const UpdateInput& input, Value* value) {
  WriteBool(value, Asks(input.frame.followedActor, HostActorIsSprinting));
}

void UpdateWeaponOut(const UpdateInput& input, Value* value) {
  WriteBool(value, IsWeaponOut(input.frame.followedActor));
}

void UpdateDead(const UpdateInput& input, Value* value) {
  WriteBool(value, Asks(input.frame.followedActor, HostActorIsDead));
}

void UpdateKillMove(const UpdateInput& input, Value* value) {
  HostActor* actor = input.frame.followedActor;
  WriteBool(value, actor && (HostActorKillMoveFlags(actor) & kKillMoveFlag) != 0);
}

void UpdateRace(const UpdateInput& input, Value* value) {
  if (!value || value->type != ValueType::String) return;
  const char* name = RaceName(input.frame.followedActor);
  const std::string_view raceName = name ? name : "";
  const ValueData& current = value->current;
  const bool hadText = current.isSet && current.type == ValueType::String;
  // An unchanged name writes nothing, so an unset value meeting no race stays unset.
  if (TrimmedEqualIgnoringCase(raceName, hadText ? std::string_view(current.text) : "")) return;
  WriteSet(value, ValueType::String, 0, raceName);
}

void UpdateWereWolf(const UpdateInput& input, Value* value) {
  WriteBool(value, RaceNameContains(input.frame.followedActor, "werewolf"));
}

void UpdateVampireLord(const UpdateInput& input, Value* value) {
  WriteBool(value, RaceNameContains(input.frame.followedActor, "vampirebeast"));
}

void UpdateDialogue(const UpdateInput&, Value* value) {
  HostMenuManager* menus = HostMenuManagerGet();
  WriteBool(value, menus && (IsMenuOpen(menus, kBarterMenu) || IsMenuOpen(menus, kCraftingMenu)));
}

void UpdateMounted(const UpdateInput& input, Value* value) {
  WriteBool(value, Asks(input.frame.followedActor, HostActorIsMounted));
}

void UpdateSneaking(const UpdateInput& input, Value* value) {
  WriteBool(value, Asks(input.frame.followedActor, HostActorIsSneaking));
}

void UpdateCrafting(const UpdateInput&, Value* value) {
  HostMenuManager* menus = HostMenuManagerGet();
  WriteBool(value, menus && IsMenuOpen(menus, kCraftingMenu));
}

void UpdateSitting(const UpdateInput& input, Value* value) {
  WriteBool(value, Asks(input.frame.followedActor, HostActorIsSitting));
}

void UpdateJumping(const UpdateInput& input, Value* value) {
  WriteBool(value, Asks(input.frame.followedActor, HostActorIsJumping));
}

void UpdateAimMagic(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, EitherHand(HandClass::Magic));
}

void UpdateAimMagicLeft(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, LeftHand(HandClass::Magic));
}

void UpdateAimMagicRight(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, RightHand(HandClass::Magic));
}

void UpdateAimBow(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, EitherHand(HandClass::Bow));
}

void UpdateAimCrossbow(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, EitherHand(HandClass::Crossbow));
}

void UpdateAttackAnyHanded(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value,
                 EitherHand(HandClass::OneHanded | HandClass::TwoHanded));
}

void UpdateAttackAnyHandedLeft(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value,
                 LeftHand(HandClass::OneHanded | HandClass::TwoHanded));
}

void UpdateAttackAnyHandedRight(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value,
                 RightHand(HandClass::OneHanded | HandClass::TwoHanded));
}

void UpdateAttackOneHanded(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, EitherHand(HandClass::OneHanded));
}

void UpdateAttackOneHandedLeft(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, LeftHand(HandClass::OneHanded));
}

void UpdateAttackOneHandedRight(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, RightHand(HandClass::OneHanded));
}

void UpdateAttackTwoHanded(const UpdateInput& input, Value* value) {
  WriteHandClass(input.frame.followedActor, value, EitherHand(HandClass::TwoHanded));
}

void UpdateCameraState(const UpdateInput&, Value* value) {
  WriteInt(value, HostCameraStateIdOrNone());
}

// --- Plug-in state ---

void UpdateMounting(const UpdateInput& input, Value* value) {
  WriteBool(value, input.mounting);
}

void UpdateDismounting(const UpdateInput& input, Value* value) {
  WriteBool(value, input.dismounting);
}

void UpdateIsInQARN(const UpdateInput& input, Value* value) {
  WriteBool(value, input.frame.headCameraShown);
}

void UpdateIsActive(const UpdateInput& input, Value* value) {
  WriteBool(value, input.frame.activated);
}

void UpdateIsTargetOverwritten(const UpdateInput& input, Value* value) {
  WriteBool(value, input.camera && input.camera->RequestedRefFormId() != 0);
}

// --- The target reference ---

void UpdateObjectBaseFormId(const UpdateInput& input, Value* value) {
  HostForm* base = input.frame.followed ? HostRefBaseForm(input.frame.followed) : nullptr;
  WriteInt(value, base ? static_cast<int32_t>(HostFormId(base)) : 0);
}

void UpdateIndoors(const UpdateInput& input, Value* value) {
  HostCell* cell = input.frame.followed ? HostRefParentCell(input.frame.followed) : nullptr;
  WriteBool(value, cell && (HostCellFlags(cell) & 1) != 0);
}
