#pragma once
// Game-state updaters: each reads one fact about the game or the plug-in into its value.
// They run only from RunUpdaters, for values that some condition names.

#include "host/host.h"
#include "values/hands.h"
#include "values/registry.h"
#include "values/value.h"

// The weapon-out test of the actor's state word, shared with the camera controller.
bool IsWeaponOut(HostActor* actor);

void UpdateWalking(const UpdateInput& input, Value* value);
void UpdateRunning(const UpdateInput& input, Value* value);
void UpdateSwimming(const UpdateInput& input, Value* value);
void UpdateSprinting(const UpdateInput& input, Value* value);
void UpdateWeaponOut(const UpdateInput& input, Value* value);
void UpdateDead(const UpdateInput& input, Value* value);
void UpdateKillMove(const UpdateInput& input, Value* value);
void UpdateRace(const UpdateInput& input, Value* value);
void UpdateWereWolf(const UpdateInput& input, Value* value);
void UpdateVampireLord(const UpdateInput& input, Value* value);
void UpdateDialogue(const UpdateInput& input, Value* value);
void UpdateMounted(const UpdateInput& input, Value* value);
void UpdateSneaking(const UpdateInput& input, Value* value);
void UpdateCrafting(const UpdateInput& input, Value* value);
void UpdateSitting(const UpdateInput& input, Value* value);
void UpdateJumping(const UpdateInput& input, Value* value);
void UpdateAimMagic(const UpdateInput& input, Value* value);
void UpdateAimMagicLeft(const UpdateInput& input, Value* value);
void UpdateAimMagicRight(const UpdateInput& input, Value* value);
void UpdateAimBow(const UpdateInput& input, Value* value);
void UpdateAimCrossbow(const UpdateInput& input, Value* value);
void UpdateAttackAnyHanded(const UpdateInput& input, Value* value);
void UpdateAttackAnyHandedLeft(const UpdateInput& input, Value* value);
void UpdateAttackAnyHandedRight(const UpdateInput& input, Value* value);
void UpdateAttackOneHanded(const UpdateInput& input, Value* value);
void UpdateAttackOneHandedLeft(const UpdateInput& input, Value* value);
void UpdateAttackOneHandedRight(const UpdateInput& input, Value* value);
void UpdateAttackTwoHanded(const UpdateInput& input, Value* value);
void UpdateCameraState(const UpdateInput& input, Value* value);
void UpdateMounting(const UpdateInput& input, Value* value);
void UpdateDismounting(const UpdateInput& input, Value* value);
void UpdateIsInQARN(const UpdateInput& input, Value* value);
void UpdateIsActive(const UpdateInput& input, Value* value);
void UpdateIsTargetOverwritten(const UpdateInput& input, Value* value);
void UpdateObjectBaseFormId(const UpdateInput& input, Value* value);
void UpdateIndoors(const UpdateInput& input, Value* value);
