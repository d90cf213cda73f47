// What the followed character holds in each hand, classified once per updater pass.

#include "values/hands.h"

uint32_t activeHands = 0;
uint32_t handClass = 0;
int32_t handCacheStale = 1;

namespace {

// Host form types of what a hand can hold.
constexpr uint8_t kSpellFormType = 0x16;
constexpr uint8_t kMagicItemFormType = 0x52;
constexpr uint8_t kWeaponFormType = 0x29;

uint32_t ClassOfWeaponKind(uint8_t kind) {
  switch (kind) {
    case 0:
      return HandClass::Empty;  // hand to hand
    case 1:
    case 2:
    case 3:
    case 4:
      return HandClass::OneHanded;
    case 5:
    case 6:
      return HandClass::TwoHanded;
    case 7:
    case 17:
      return HandClass::Bow;
    case 9:
    case 19:
      return HandClass::Crossbow;
    default:
      return 0;
  }
}

uint32_t ClassOfHand(HostActor* character, bool left) {
  HostAiProcess* process = HostActorAiProcess(character);
  if (!process) return HandClass::Empty;
  HostForm* item = left ? HostAiProcessLeftHand(process) : HostAiProcessRightHand(process);
  if (!item) return HandClass::Empty;
  switch (HostFormType(item)) {
    case kSpellFormType:
    case kMagicItemFormType:
      return HandClass::Magic;
    case kWeaponFormType:
      break;
    default:
      return 0;
  }
  HostHandItem* weapon = HostCastToHandItem(item);
  return weapon ? ClassOfWeaponKind(HostHandItemWeaponKind(weapon)) : HandClass::Empty;
}

}  // namespace

void ClassifyHands(HostActor* character) {
  handCacheStale = 0;
  activeHands = 0;
  handClass = 0;
  HostCombatState* combat = HostPlayerCombatState();
  if (!combat || !character) return;
  if (HostCombatStateHandMode(combat) == 2 || HostCombatStateRightActive(combat) != 0) {
    activeHands |= 1;
  }
  if (HostCombatStateLeftActive(combat) != 0) activeHands |= 2;
  if (activeHands & 1) handClass |= RightHand(ClassOfHand(character, false));
  if (activeHands & 2) handClass |= LeftHand(ClassOfHand(character, true));
}
