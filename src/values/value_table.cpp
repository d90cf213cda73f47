#include "values/value_table.h"

#include "values/appliers.h"
#include "values/updaters.h"

namespace {
constexpr ValueKind GameState = ValueKind::GameState;
constexpr ValueKind Setting = ValueKind::Setting;
}  // namespace

constexpr std::array<ValueTableRow, Vid::Count> kValueTable = {{
    {Vid::bWalking, "bWalking", GameState, UpdateWalking, nullptr, nullptr},
    {Vid::bRunning, "bRunning", GameState, UpdateRunning, nullptr, nullptr},
    {Vid::bSwimming, "bSwimming", GameState, UpdateSwimming, nullptr, nullptr},
    {Vid::bSprinting, "bSprinting", GameState, UpdateSprinting, nullptr, nullptr},
    {Vid::bWeaponOut, "bWeaponOut", GameState, UpdateWeaponOut, nullptr, nullptr},
    {Vid::bDead, "bDead", GameState, UpdateDead, nullptr, nullptr},
    {Vid::bKillMove, "bKillMove", GameState, UpdateKillMove, nullptr, nullptr},
    {Vid::sRace, "sRace", GameState, UpdateRace, nullptr, nullptr},
    {Vid::bWereWolf, "bWereWolf", GameState, UpdateWereWolf, nullptr, nullptr},
    {Vid::bVampireLord, "bVampireLord", GameState, UpdateVampireLord, nullptr, nullptr},
    {Vid::bDialogue, "bDialogue", GameState, UpdateDialogue, nullptr, nullptr},
    {Vid::bMounted, "bMounted", GameState, UpdateMounted, nullptr, nullptr},
    {Vid::bSneaking, "bSneaking", GameState, UpdateSneaking, nullptr, nullptr},
    {Vid::bCrafting, "bCrafting", GameState, UpdateCrafting, nullptr, nullptr},
    {Vid::bSitting, "bSitting", GameState, UpdateSitting, nullptr, nullptr},
    {Vid::bJumping, "bJumping", GameState, UpdateJumping, nullptr, nullptr},
    {Vid::bAimMagic, "bAimMagic", GameState, UpdateAimMagic, nullptr, nullptr},
    {Vid::bAimMagicLeft, "bAimMagicLeft", GameState, UpdateAimMagicLeft, nullptr, nullptr},
    {Vid::bAimMagicRight, "bAimMagicRight", GameState, UpdateAimMagicRight, nullptr, nullptr},
    {Vid::bAimBow, "bAimBow", GameState, UpdateAimBow, nullptr, nullptr},
    {Vid::bAimCrossbow, "bAimCrossbow", GameState, UpdateAimCrossbow, nullptr, nullptr},
    {Vid::bAttackAnyHanded, "bAttackAnyHanded", GameState, UpdateAttackAnyHanded, nullptr, nullptr},
    {Vid::bAttackAnyHandedLeft, "bAttackAnyHandedLeft", GameState, UpdateAttackAnyHandedLeft,
     nullptr, nullptr},
    {Vid::bAttackAnyHandedRight, "bAttackAnyHandedRight", GameState, UpdateAttackAnyHandedRight,
     nullptr, nullptr},
    {Vid::bAttackOneHanded, "bAttackOneHanded", GameState, UpdateAttackOneHanded, nullptr, nullptr},
    {Vid::bAttackOneHandedLeft, "bAttackOneHandedLeft", GameState, UpdateAttackOneHandedLeft,
     nullptr, nullptr},
    {Vid::bAttackOneHandedRight, "bAttackOneHandedRight", GameState, UpdateAttackOneHandedRight,
     nullptr, nullptr},
    {Vid::bAttackTwoHanded, "bAttackTwoHanded", GameState, UpdateAttackTwoHanded, nullptr, nullptr},
    {Vid::iCameraState, "iCameraState", GameState, UpdateCameraState, nullptr, nullptr},
    {Vid::bMounting, "bMounting", GameState, UpdateMounting, nullptr, nullptr},
    {Vid::bDismounting, "bDismounting", GameState, UpdateDismounting, nullptr, nullptr},
    {Vid::bIsInQARN, "bIsInQARN", GameState, UpdateIsInQARN, nullptr, nullptr},
    {Vid::bIsActive, "bIsActive", GameState, UpdateIsActive, nullptr, nullptr},
    {Vid::bIsTargetOverwritten, "bIsTargetOverwritten", GameState, UpdateIsTargetOverwritten,
     nullptr, nullptr},
    {Vid::iObjectRefFormId, "iObjectRefFormId", Setting, nullptr, ReadObjectRefFormId,
     ApplyObjectRefFormId},
    {Vid::iObjectBaseFormId, "iObjectBaseFormId", GameState, UpdateObjectBaseFormId, nullptr,
     nullptr},
    {Vid::bIndoors, "bIndoors", GameState, UpdateIndoors, nullptr, nullptr},
    {Vid::bEnabled, "bEnabled", Setting, nullptr, nullptr, nullptr},
    {Vid::bActivated, "bActivated", Setting, nullptr, nullptr, nullptr},
    {Vid::bActivated2, "bActivated2", Setting, nullptr, nullptr, nullptr},
    {Vid::iActivated, "iActivated", Setting, nullptr, nullptr, nullptr},
    {Vid::iDebug, "iDebug", Setting, nullptr, nullptr, nullptr},
    {Vid::iDebug2, "iDebug2", Setting, nullptr, nullptr, nullptr},
    {Vid::bHeadtrack, "bHeadtrack", Setting, nullptr, nullptr, nullptr},
    {Vid::bHeadtrack2, "bHeadtrack2", Setting, nullptr, nullptr, nullptr},
    {Vid::fPositionOffsetHorizontal, "fPositionOffsetHorizontal", Setting, nullptr, nullptr,
     nullptr},
    {Vid::fPositionOffsetVertical, "fPositionOffsetVertical", Setting, nullptr, nullptr, nullptr},
    {Vid::fPositionOffsetDepth, "fPositionOffsetDepth", Setting, nullptr, nullptr, nullptr},
    {Vid::fRotationFromHead, "fRotationFromHead", Setting, nullptr, nullptr, nullptr},
    {Vid::fExtraRotationFromCamera, "fExtraRotationFromCamera", Setting, nullptr, nullptr, nullptr},
    {Vid::fNearClip, "fNearClip", Setting, nullptr, ReadNearClip, ApplyNearClip},
    {Vid::fNearClip2, "fNearClip2", Setting, nullptr, ReadNearClip, ApplyNearClip},
    {Vid::fFOV, "fFOV", Setting, nullptr, ReadFieldOfView, ApplyFieldOfView},
    {Vid::fTimeScale, "fTimeScale", Setting, nullptr, ReadTimeScale, ApplyTimeScale},
    {Vid::bDisableVATS, "bDisableVATS", Setting, nullptr, ReadVatsDisabled, ApplyVatsDisabled},
    {Vid::fRestrictAngleHorizontal, "fRestrictAngleHorizontal", Setting, nullptr, nullptr, nullptr},
    {Vid::fRestrictAngleVertical, "fRestrictAngleVertical", Setting, nullptr, nullptr, nullptr},
    {Vid::fUpdateProfileInterval, "fUpdateProfileInterval", Setting, nullptr, nullptr, nullptr},
    {Vid::fCameraViewOffsetHorizontal, "fCameraViewOffsetHorizontal", Setting, nullptr,
     ReadViewOffsetHorizontal, ApplyViewOffsetHorizontal},
    {Vid::fCameraViewOffsetVertical, "fCameraViewOffsetVertical", Setting, nullptr,
     ReadViewOffsetVertical, ApplyViewOffsetVertical},
    {Vid::iFaceCrosshair, "iFaceCrosshair", Setting, nullptr, nullptr, nullptr},
    {Vid::bZoomIntoQARN, "bZoomIntoQARN", Setting, nullptr, nullptr, nullptr},
    {Vid::bToggleIntoQARN, "bToggleIntoQARN", Setting, nullptr, nullptr, nullptr},
    {Vid::iUnused1, "iUnused1", Setting, nullptr, nullptr, nullptr},
    {Vid::iUnused2, "iUnused2", Setting, nullptr, nullptr, nullptr},
    {Vid::iUnused3, "iUnused3", Setting, nullptr, nullptr, nullptr},
    {Vid::iUnused4, "iUnused4", Setting, nullptr, nullptr, nullptr},
    {Vid::iUnused5, "iUnused5", Setting, nullptr, nullptr, nullptr},
    {Vid::bFocus, "bFocus", Setting, nullptr, nullptr, nullptr},
    {Vid::fFocusSpeed, "fFocusSpeed", Setting, nullptr, nullptr, nullptr},
    {Vid::fFocusMinAngle, "fFocusMinAngle", Setting, nullptr, nullptr, nullptr},
    {Vid::iFocusDelay, "iFocusDelay", Setting, nullptr, nullptr, nullptr},
    {Vid::fExtraRotationMouse, "fExtraRotationMouse", Setting, nullptr, nullptr, nullptr},
}};

namespace {

constexpr bool RowsInIndexOrder() {
  for (int32_t i = 0; i < Vid::Count; ++i) {
    if (kValueTable[i].index != i) return false;
  }
  return true;
}
static_assert(RowsInIndexOrder());

}  // namespace
