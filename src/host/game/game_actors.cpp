// Actors: state words, queries, head tracking, animation graph, hands, condition queries and
// active magic effects.
#include "host/game/addresses.h"
#include "host/game/host_call.h"
#include "host/host.h"

uint32_t HostActorStateFlags(HostActor* actor) {
  return ReadField<uint32_t>(actor, GameActor::stateFlags);
}
uint32_t HostActorStateWord(HostActor* actor) {
  return ReadField<uint32_t>(actor, GameActor::stateWord);
}
void HostActorSetStateWord(HostActor* actor, uint32_t word) {
  WriteField<uint32_t>(actor, GameActor::stateWord, word);
}
uint32_t HostActorKillMoveFlags(HostActor* actor) {
  return ReadField<uint32_t>(actor, GameActor::killMoveFlags);
}
HostAiProcess* HostActorAiProcess(HostActor* actor) {
  return FieldObject<HostAiProcess>(actor, GameActor::aiProcess);
}
HostRace* HostActorRace(HostActor* actor) { return FieldObject<HostRace>(actor, GameActor::race); }
const char* HostRaceName(HostRace* race) { return FieldObject<const char>(race, GameRace::name); }

uint32_t HostActorIsRunning(HostActor* actor) {
  return CallMember<uint32_t>(GameActor::HostActorIsRunning, actor);
}
uint32_t HostActorIsSprinting(HostActor* actor) {
  return CallMember<uint32_t>(GameActor::HostActorIsSprinting, actor);
}
uint32_t HostActorIsSneaking(HostActor* actor) {
  return CallMember<uint32_t>(GameActor::HostActorIsSneaking, actor);
}
uint32_t HostActorIsJumping(HostActor* actor) {
  return CallMember<uint32_t>(GameActor::HostActorIsJumping, actor);
}
uint32_t HostActorIsDead(HostActor* actor) {
  return CallPlain<uint32_t>(GameActor::HostActorIsDead, 0u, 0u, actor);
}
uint32_t HostActorIsMounted(HostActor* actor) {
  return CallPlain<uint32_t>(GameActor::HostActorIsMounted, 0u, 0u, actor);
}
uint32_t HostActorIsSitting(HostActor* actor) {
  return CallPlain<uint32_t>(GameActor::HostActorIsSitting, 0u, 0u, actor);
}

void HostSetHeadTrackTarget(HostAiProcess* process, HostActor* actor, const float point[3]) {
  CallMember<void>(GameAiProcess::HostSetHeadTrackTarget, process, actor, point);
}
void HostClearHeadTrackTarget(HostAiProcess* process) {
  CallMember<void>(GameAiProcess::HostClearHeadTrackTarget, process);
}

void HostSetGraphBool(HostActor* actor, EngineString* name, bool value) {
  CallMember<void>(GameActor::HostSetGraphBool, SubObject(actor, GameActor::animGraph), name,
                   static_cast<uint32_t>(value));
}

void HostSendAnimEvent(HostActor* actor, EngineString* event) {
  void* graph = SubObject(actor, GameActor::animGraph);
  CallSaved(VirtualFunction(graph, GameAnimGraph::sendEventSlot), graph, Word(event));
}

HostForm* HostAiProcessRightHand(HostAiProcess* process) {
  return FieldObject<HostForm>(process, GameAiProcess::rightHand);
}
HostForm* HostAiProcessLeftHand(HostAiProcess* process) {
  return FieldObject<HostForm>(process, GameAiProcess::leftHand);
}
uint8_t HostHandItemWeaponKind(HostHandItem* item) {
  return ReadField<uint8_t>(item, GameHandItem::weaponKind);
}
HostCombatState* HostPlayerCombatState() {
  return GlobalObject<HostCombatState>(GameGlobal::HostPlayerCombatState);
}
uint8_t HostCombatStateHandMode(HostCombatState* state) {
  return ReadField<uint8_t>(state, GameCombatState::handMode);
}
uint8_t HostCombatStateRightActive(HostCombatState* state) {
  return ReadField<uint8_t>(state, GameCombatState::rightActive);
}
uint8_t HostCombatStateLeftActive(HostCombatState* state) {
  return ReadField<uint8_t>(state, GameCombatState::leftActive);
}

uint32_t HostFactionQuery(HostActor* actor, HostConditionForm* faction, bool isPlayer) {
  return CallMember<uint32_t>(GameActor::HostFactionQuery, actor, faction,
                              static_cast<uint32_t>(isPlayer));
}
uint32_t HostHasPerk(HostActor* actor, HostForm* perk) {
  return CallSaved(GameActor::HostHasPerk, actor, Word(perk));
}
uint32_t HostHasKeyword(HostActor* actor, HostKeyword* keyword) {
  return CallMember<uint32_t>(GameActor::HostHasKeyword, actor, keyword);
}
HostWornItems* HostWornVisit(HostActor* actor) {
  return CallPlain<HostWornItems*>(GameWornItems::HostWornVisit, actor);
}
uint32_t HostWornVisitCallback(HostWornItems* worn, HostKeyword* keyword) {
  return CallPlain<uint32_t>(GameWornItems::HostWornVisitCallback, worn, keyword);
}
HostConditionGlobal* HostConditionGlobalGet() {
  return GlobalObject<HostConditionGlobal>(GameGlobal::HostConditionGlobal);
}
int32_t HostConditionGlobalKeywordCount(HostConditionGlobal* global) {
  return ReadField<int32_t>(global, GameConditionGlobal::keywordCount);
}
HostForm* HostConditionGlobalKeyword(HostConditionGlobal* global, int32_t i) {
  const void* keywords = FieldObject<void>(global, GameConditionGlobal::keywords);
  return FieldObject<HostForm>(keywords, static_cast<uint32_t>(i) * 4);
}

HostActiveEffect** HostActorActiveEffects(HostActor* actor) {
  void* target = SubObject(actor, GameActor::magicTarget);
  return CallMember<HostActiveEffect**>(
      VirtualFunction(target, GameMagicTarget::activeEffectsSlot), target);
}
HostEffectItem* HostActiveEffectItem(HostActiveEffect* effect) {
  return FieldObject<HostEffectItem>(effect, GameActiveEffect::item);
}
HostForm* HostEffectItemBaseEffect(HostEffectItem* item) {
  return FieldObject<HostForm>(item, GameEffectItem::baseEffect);
}
uint32_t HostMagicEffectKeywordCount(HostForm* magicEffect) {
  return ReadField<uint32_t>(magicEffect, GameMagicEffect::keywordCount);
}
HostForm* HostMagicEffectKeyword(HostForm* magicEffect, uint32_t i) {
  const void* keywords = FieldObject<void>(magicEffect, GameMagicEffect::keywords);
  return FieldObject<HostForm>(keywords, i * 4);
}
uint32_t HostHasMagicEffectKeyword(HostActor* actor, HostForm* keyword) {
  return CallSaved(GameActor::HostHasMagicEffectKeyword,
                   SubObject(actor, GameActor::magicTarget), Word(keyword), 0u);
}
