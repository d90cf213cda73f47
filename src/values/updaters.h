#pragma once
// Game-state updaters: each reads one fact about the game or the plug-in into its value.
// They run only from RunUpdaters, for values that some condition names.

#include "host/host.h"
#include "values/hands.h"
#include "values/value.h"

// The weapon-out test of the actor's state word, shared with the camera controller.
bool IsWeaponOut(HostActor* actor);

void UpdateWalking(HostRef* actor, HostActor* character, Value* value);
void UpdateRunning(HostRef* actor, HostActor* character, Value* value);
void UpdateSwimming(HostRef* actor, HostActor* character, Value* value);
void UpdateSprinting(HostRef* actor, HostActor* character, Value* value);
void UpdateWeaponOut(HostRef* actor, HostActor* character, Value* value);
void UpdateDead(HostRef* actor, HostActor* character, Value* value);
void UpdateKillMove(HostRef* actor, HostActor* character, Value* value);
void UpdateRace(HostRef* actor, HostActor* character, Value* value);
void UpdateWereWolf(HostRef* actor, HostActor* character, Value* value);
void UpdateVampireLord(HostRef* actor, HostActor* character, Value* value);
void UpdateDialogue(HostRef* actor, HostActor* character, Value* value);
void UpdateMounted(HostRef* actor, HostActor* character, Value* value);
void UpdateSneaking(HostRef* actor, HostActor* character, Value* value);
void UpdateCrafting(HostRef* actor, HostActor* character, Value* value);
void UpdateSitting(HostRef* actor, HostActor* character, Value* value);
void UpdateJumping(HostRef* actor, HostActor* character, Value* value);
void UpdateAimMagic(HostRef* actor, HostActor* character, Value* value);
void UpdateAimMagicLeft(HostRef* actor, HostActor* character, Value* value);
void UpdateAimMagicRight(HostRef* actor, HostActor* character, Value* value);
void UpdateAimBow(HostRef* actor, HostActor* character, Value* value);
void UpdateAimCrossbow(HostRef* actor, HostActor* character, Value* value);
void UpdateAttackAnyHanded(HostRef* actor, HostActor* character, Value* value);
void UpdateAttackAnyHandedLeft(HostRef* actor, HostActor* character, Value* value);
void UpdateAttackAnyHandedRight(HostRef* actor, HostActor* character, Value* value);
void UpdateAttackOneHanded(HostRef* actor, HostActor* character, Value* value);
void UpdateAttackOneHandedLeft(HostRef* actor, HostActor* character, Value* value);
void UpdateAttackOneHandedRight(HostRef* actor, HostActor* character, Value* value);
void UpdateAttackTwoHanded(HostRef* actor, HostActor* character, Value* value);
void UpdateCameraState(HostRef* actor, HostActor* character, Value* value);
void UpdateMounting(HostRef* actor, HostActor* character, Value* value);
void UpdateDismounting(HostRef* actor, HostActor* character, Value* value);
void UpdateIsInQARN(HostRef* actor, HostActor* character, Value* value);
void UpdateIsActive(HostRef* actor, HostActor* character, Value* value);
void UpdateIsTargetOverwritten(HostRef* actor, HostActor* character, Value* value);
void UpdateObjectBaseFormId(HostRef* actor, HostActor* character, Value* value);
void UpdateIndoors(HostRef* actor, HostActor* character, Value* value);
