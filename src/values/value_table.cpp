// The fixed table of the 73 values: name, kind, callbacks and reference text, by index.

#include "values/value_table.h"

#include "values/appliers.h"
#include "values/updaters.h"

namespace {
constexpr ValueKind GameState = ValueKind::GameState;
constexpr ValueKind Setting = ValueKind::Setting;

// Reference groups, listed in the order they first appear below.
constexpr const char* kCharacter = "Game state: the followed character";
constexpr const char* kScreen = "Game state: menus, the camera and the plug-in";
constexpr const char* kHands = "Game state: hands";
constexpr const char* kHeadView = "Settings: the head view";
constexpr const char* kProfiles = "Settings: profiles and the console";
constexpr const char* kLooking = "Settings: looking around";
constexpr const char* kPlacement = "Settings: position and rotation";
constexpr const char* kGame = "Settings: the game's own settings";

constexpr const char* kFree = "Not read by the plug-in: free for your own conditions.";
constexpr const char* kGameValue = "the game's own value, read at first use";
constexpr const char* kStateOffset =
    "the game camera state's own offset, read at first use in state 9, 10 or 12; unset before";
}  // namespace

constexpr std::array<ValueTableRow, Vid::Count> kValueTable = {{
    {Vid::bWalking, "bWalking", GameState, UpdateWalking, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character walks."}},
    {Vid::bRunning, "bRunning", GameState, UpdateRunning, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character runs, by the game's own running test."}},
    {Vid::bSwimming, "bSwimming", GameState, UpdateSwimming, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character swims."}},
    {Vid::bSprinting, "bSprinting", GameState, UpdateSprinting, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character sprints."}},
    {Vid::bWeaponOut, "bWeaponOut", GameState, UpdateWeaponOut, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character has its weapon drawn."}},
    {Vid::bDead, "bDead", GameState, UpdateDead, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character is dead."}},
    {Vid::bKillMove, "bKillMove", GameState, UpdateKillMove, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character is in a kill move."}},
    {Vid::sRace, "sRace", GameState, UpdateRace, nullptr, nullptr,
     {kCharacter, nullptr,
      "The name of the followed character's race, as the game names it. Conditions compare it "
      "ignoring case; & tests for a part of it, as in (sRace & Beast)."}},
    {Vid::bWereWolf, "bWereWolf", GameState, UpdateWereWolf, nullptr, nullptr,
     {kCharacter, nullptr, "The race name contains \"werewolf\", ignoring case."}},
    {Vid::bVampireLord, "bVampireLord", GameState, UpdateVampireLord, nullptr, nullptr,
     {kCharacter, nullptr, "The race name contains \"vampirebeast\", ignoring case."}},
    {Vid::bDialogue, "bDialogue", GameState, UpdateDialogue, nullptr, nullptr,
     {kScreen, nullptr,
      "The game's barter menu or its crafting menu is open. Despite the name, a conversation "
      "alone does not make it true."}},
    {Vid::bMounted, "bMounted", GameState, UpdateMounted, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character rides a mount."}},
    {Vid::bSneaking, "bSneaking", GameState, UpdateSneaking, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character sneaks."}},
    {Vid::bCrafting, "bCrafting", GameState, UpdateCrafting, nullptr, nullptr,
     {kScreen, nullptr, "The game's crafting menu is open."}},
    {Vid::bSitting, "bSitting", GameState, UpdateSitting, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character sits."}},
    {Vid::bJumping, "bJumping", GameState, UpdateJumping, nullptr, nullptr,
     {kCharacter, nullptr, "The followed character jumps."}},
    {Vid::bAimMagic, "bAimMagic", GameState, UpdateAimMagic, nullptr, nullptr,
     {kHands, nullptr, "An active hand holds magic."}},
    {Vid::bAimMagicLeft, "bAimMagicLeft", GameState, UpdateAimMagicLeft, nullptr, nullptr,
     {kHands, nullptr, "The left hand is active and holds magic."}},
    {Vid::bAimMagicRight, "bAimMagicRight", GameState, UpdateAimMagicRight, nullptr, nullptr,
     {kHands, nullptr, "The right hand is active and holds magic."}},
    {Vid::bAimBow, "bAimBow", GameState, UpdateAimBow, nullptr, nullptr,
     {kHands, nullptr, "An active hand holds a bow."}},
    {Vid::bAimCrossbow, "bAimCrossbow", GameState, UpdateAimCrossbow, nullptr, nullptr,
     {kHands, nullptr, "An active hand holds a crossbow."}},
    {Vid::bAttackAnyHanded, "bAttackAnyHanded", GameState, UpdateAttackAnyHanded, nullptr, nullptr,
     {kHands, nullptr, "An active hand holds a one-handed or a two-handed weapon."}},
    {Vid::bAttackAnyHandedLeft, "bAttackAnyHandedLeft", GameState, UpdateAttackAnyHandedLeft,
     nullptr, nullptr,
     {kHands, nullptr, "The left hand is active and holds a one-handed or a two-handed weapon."}},
    {Vid::bAttackAnyHandedRight, "bAttackAnyHandedRight", GameState, UpdateAttackAnyHandedRight,
     nullptr, nullptr,
     {kHands, nullptr, "The right hand is active and holds a one-handed or a two-handed weapon."}},
    {Vid::bAttackOneHanded, "bAttackOneHanded", GameState, UpdateAttackOneHanded, nullptr, nullptr,
     {kHands, nullptr, "An active hand holds a one-handed weapon."}},
    {Vid::bAttackOneHandedLeft, "bAttackOneHandedLeft", GameState, UpdateAttackOneHandedLeft,
     nullptr, nullptr, {kHands, nullptr, "The left hand is active and holds a one-handed weapon."}},
    {Vid::bAttackOneHandedRight, "bAttackOneHandedRight", GameState, UpdateAttackOneHandedRight,
     nullptr, nullptr,
     {kHands, nullptr, "The right hand is active and holds a one-handed weapon."}},
    {Vid::bAttackTwoHanded, "bAttackTwoHanded", GameState, UpdateAttackTwoHanded, nullptr, nullptr,
     {kHands, nullptr, "An active hand holds a two-handed weapon."}},
    {Vid::iCameraState, "iCameraState", GameState, UpdateCameraState, nullptr, nullptr,
     {kScreen, nullptr,
      "The id of the game camera's current state; -1 while there is none. 0 is the game's first "
      "person; the head view shows only in states 2, 5, 6, 8, 9, 10, 11 and 12, and head "
      "tracking works in states 3, 5, 8, 9, 10 and 12."}},
    {Vid::bMounting, "bMounting", GameState, UpdateMounting, nullptr, nullptr,
     {kCharacter, nullptr,
      "True for 1.2 seconds of running game time after the followed character starts to mount."}},
    {Vid::bDismounting, "bDismounting", GameState, UpdateDismounting, nullptr, nullptr,
     {kCharacter, nullptr,
      "True for 3.5 seconds of running game time after the followed character starts to "
      "dismount."}},
    {Vid::bIsInQARN, "bIsInQARN", GameState, UpdateIsInQARN, nullptr, nullptr,
     {kScreen, nullptr,
      "The head view is shown: the camera sits at the followed character's head."}},
    {Vid::bIsActive, "bIsActive", GameState, UpdateIsActive, nullptr, nullptr,
     {kScreen, nullptr,
      "The plug-in is activated (bEnabled, bActivated, bActivated2 and iActivated allow it), "
      "whether or not the game camera's state lets the head view show."}},
    {Vid::bIsTargetOverwritten, "bIsTargetOverwritten", GameState, UpdateIsTargetOverwritten,
     nullptr, nullptr,
     {kScreen, nullptr,
      "The camera is asked to follow a reference other than the player (AttachCamera or "
      "iObjectRefFormId)."}},
    {Vid::iObjectRefFormId, "iObjectRefFormId", Setting, nullptr, ReadObjectRefFormId,
     ApplyObjectRefFormId,
     {kHeadView, "the form id followed now: 0, the player, unless AttachCamera chose another",
      "The form id of the reference the camera follows instead of the player; 0 follows the "
      "player. An id that names no reference is dropped and the camera follows the player "
      "again. AttachCamera and DetachCamera change the same thing."}},
    {Vid::iObjectBaseFormId, "iObjectBaseFormId", GameState, UpdateObjectBaseFormId, nullptr,
     nullptr,
     {kCharacter, nullptr,
      "The form id of the followed reference's base object; 0 when there is none."}},
    {Vid::bIndoors, "bIndoors", GameState, UpdateIndoors, nullptr, nullptr,
     {kCharacter, nullptr, "The followed reference is in an interior cell."}},
    {Vid::bEnabled, "bEnabled", Setting, nullptr, nullptr, nullptr,
     {kHeadView, "unset, which counts as true",
      "False switches the plug-in off: no head view and no look restriction, and the game "
      "switches its camera freely. While true, the plug-in works whenever the followed "
      "reference is loaded and the game has a camera. The Enable command sets it to true."}},
    {Vid::bActivated, "bActivated", Setting, nullptr, nullptr, nullptr,
     {kHeadView, "unset, which counts as true",
      "Activates the plug-in: the look restrictions apply, and the head view shows while the "
      "game camera is in a head-view state (see iCameraState). Activate and Deactivate set it; "
      "with bZoomIntoQARN or bToggleIntoQARN the game's own first-person zoom and toggle change "
      "it."}},
    {Vid::bActivated2, "bActivated2", Setting, nullptr, nullptr, nullptr,
     {kHeadView, "unset, which counts as true",
      "A second condition of activation: false keeps the plug-in from activating, whatever "
      "bActivated says."}},
    {Vid::iActivated, "iActivated", Setting, nullptr, nullptr, nullptr,
     {kHeadView, "unset, which counts as 1",
      "A third condition of activation: 0 or less keeps the plug-in from activating."}},
    {Vid::iDebug, "iDebug", Setting, nullptr, nullptr, nullptr,
     {kProfiles, "unset, which counts as 0",
      "1 or 2 shows on the game console, as Vantrel(DEBUG) lines, every change of the current "
      "profile and every parallel profile turning on or off; any other number shows none."}},
    {Vid::iDebug2, "iDebug2", Setting, nullptr, nullptr, nullptr, {kProfiles, "unset", kFree}},
    {Vid::bHeadtrack, "bHeadtrack", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as false",
      "Head tracking: the followed character turns its head toward the point 200 game units "
      "ahead of the camera in the direction the player looks. Works while the plug-in is "
      "enabled, the game camera is in state 3, 5, 8, 9, 10 or 12 and bHeadtrack2 is true."}},
    {Vid::bHeadtrack2, "bHeadtrack2", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as true",
      "A second switch of head tracking: false stops it even while bHeadtrack is true."}},
    {Vid::fPositionOffsetHorizontal, "fPositionOffsetHorizontal", Setting, nullptr, nullptr,
     nullptr,
     {kPlacement, "unset, which counts as 0",
      "Moves the camera sideways from the head node, in game units along the node's own X axis "
      "(positive: to the right)."}},
    {Vid::fPositionOffsetVertical, "fPositionOffsetVertical", Setting, nullptr, nullptr, nullptr,
     {kPlacement, "unset, which counts as 0",
      "Moves the camera up from the head node, in game units along the node's own Z axis "
      "(negative: down)."}},
    {Vid::fPositionOffsetDepth, "fPositionOffsetDepth", Setting, nullptr, nullptr, nullptr,
     {kPlacement, "unset, which counts as 0",
      "Moves the camera forward from the head node, in game units along the node's own Y axis "
      "(negative: back)."}},
    {Vid::fRotationFromHead, "fRotationFromHead", Setting, nullptr, nullptr, nullptr,
     {kPlacement, "unset, which counts as 1: the head's rotation alone",
      "How much of the view's rotation follows the head node, a factor from 0 to 1: 1 or more "
      "turns the view exactly with the head, 0 or less with the game camera's own look "
      "direction, and a value between blends the two."}},
    {Vid::fExtraRotationFromCamera, "fExtraRotationFromCamera", Setting, nullptr, nullptr, nullptr,
     {kPlacement, "unset, which counts as 0: off",
      "Adds the player's own look (the game camera's turn and tilt relative to the character) "
      "on top of the rotation above, a factor from 0 to 1: 0 or less adds nothing, 1 or more "
      "adds it in full."}},
    {Vid::fNearClip, "fNearClip", Setting, nullptr, ReadNearClip, ApplyNearClip,
     {kGame, "the game's near-clip distance, read at first use",
      "The near-clip distance, in game units. The game gets the lower of fNearClip and "
      "fNearClip2, at most 500 and at least 0.0001; a value that no command has set stands for "
      "the game's own distance, so raising the clip above it takes both values."}},
    {Vid::fNearClip2, "fNearClip2", Setting, nullptr, ReadNearClip, ApplyNearClip,
     {kGame, "the game's near-clip distance, read at first use",
      "A second near-clip distance, in game units: the lower of fNearClip and fNearClip2 "
      "applies (see fNearClip)."}},
    {Vid::fFOV, "fFOV", Setting, nullptr, ReadFieldOfView, ApplyFieldOfView,
     {kGame,
      "the game camera's field of view, read at first use; unset while the game has no camera",
      "The game camera's field of view, as the game holds it; written to the game whenever it "
      "changes, every frame during a tween."}},
    {Vid::fTimeScale, "fTimeScale", Setting, nullptr, ReadTimeScale, ApplyTimeScale,
     {kGame, kGameValue, "The game's time scale; a negative number writes 0."}},
    {Vid::bDisableVATS, "bDisableVATS", Setting, nullptr, ReadVatsDisabled, ApplyVatsDisabled,
     {kGame, kGameValue, "True switches the game's VATS off; false switches it on."}},
    {Vid::fRestrictAngleHorizontal, "fRestrictAngleHorizontal", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as 90",
      "While the plug-in is activated, the game camera's horizontal look angle is kept within "
      "this many degrees to either side; a negative number counts as 0."}},
    {Vid::fRestrictAngleVertical, "fRestrictAngleVertical", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as 80",
      "While the plug-in is activated, the vertical look angle is kept within this many degrees "
      "above and below the followed character's own pitch, and the game's pitch limits for the "
      "character become plus and minus this angle. A negative number counts as 0 for the look "
      "angle but swaps the two pitch limits."}},
    {Vid::fUpdateProfileInterval, "fUpdateProfileInterval", Setting, nullptr, nullptr, nullptr,
     {kProfiles, "unset, which counts as 0.1",
      "Seconds of frame time between two profile updates, at which the named game-state values "
      "are read, conditions tested and profiles switched; below 0.1 counts as 0.1."}},
    {Vid::fCameraViewOffsetHorizontal, "fCameraViewOffsetHorizontal", Setting, nullptr,
     ReadViewOffsetHorizontal, ApplyViewOffsetHorizontal,
     {kGame, kStateOffset,
      "The game camera's horizontal view offset, in states 9, 10 and 12 only: a change made in "
      "another state is kept but reaches the game only when the value changes again in one of "
      "them."}},
    {Vid::fCameraViewOffsetVertical, "fCameraViewOffsetVertical", Setting, nullptr,
     ReadViewOffsetVertical, ApplyViewOffsetVertical,
     {kGame, kStateOffset,
      "The game camera's vertical view offset, in states 9, 10 and 12 only, as "
      "fCameraViewOffsetHorizontal."}},
    {Vid::iFaceCrosshair, "iFaceCrosshair", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as 0",
      "Overrides the game's decision to turn the character to face the crosshair: -1, 1, and 2 "
      "or more force its three outcomes, -2 forces the decision's argument to 1, and 0 leaves "
      "the game alone."}},
    {Vid::bZoomIntoQARN, "bZoomIntoQARN", Setting, nullptr, nullptr, nullptr,
     {kHeadView, "unset, which counts as false",
      "While true, zooming the game camera into first person sets bActivated to true in place "
      "of the game's own first-person switch, and zooming out sets it to false."}},
    {Vid::bToggleIntoQARN, "bToggleIntoQARN", Setting, nullptr, nullptr, nullptr,
     {kHeadView, "unset, which counts as false",
      "While true, the game's first-person toggle flips bActivated in place of switching the "
      "game camera."}},
    {Vid::iUnused1, "iUnused1", Setting, nullptr, nullptr, nullptr, {kProfiles, "unset", kFree}},
    {Vid::iUnused2, "iUnused2", Setting, nullptr, nullptr, nullptr, {kProfiles, "unset", kFree}},
    {Vid::iUnused3, "iUnused3", Setting, nullptr, nullptr, nullptr, {kProfiles, "unset", kFree}},
    {Vid::iUnused4, "iUnused4", Setting, nullptr, nullptr, nullptr, {kProfiles, "unset", kFree}},
    {Vid::iUnused5, "iUnused5", Setting, nullptr, nullptr, nullptr, {kProfiles, "unset", kFree}},
    {Vid::bFocus, "bFocus", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as false",
      "Focus: while the head view shows and iFocusDelay frames have passed since the player's "
      "last look input, the camera marks a point straight ahead, as far away as what the "
      "crosshair points at (or 5000 game units), and keeps turning to hold it in view. Any look "
      "input drops the point."}},
    {Vid::fFocusSpeed, "fFocusSpeed", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as 8",
      "How fast focus turns toward its point, a factor: each frame focus adds to the look input "
      "the angle still missing x this factor x the point's distance (held between 50 and 500) "
      "/ 500."}},
    {Vid::fFocusMinAngle, "fFocusMinAngle", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as 0.0005",
      "Focus leaves an angle error of at most this many radians (not degrees) alone."}},
    {Vid::iFocusDelay, "iFocusDelay", Setting, nullptr, nullptr, nullptr,
     {kLooking, "unset, which counts as 3",
      "Frames that focus waits after the player's look input before it acts again; a negative "
      "number counts as 0."}},
    {Vid::fExtraRotationMouse, "fExtraRotationMouse", Setting, nullptr, nullptr, nullptr,
     {kPlacement, "unset, which counts as 0: off",
      "While above 0, the player's look input also turns the head view, by 0.05 x the input x "
      "this factor, and that extra turn stays. At 0 or below it is not shown and fades out at "
      "pi radians per second."}},
}};

namespace {

constexpr bool RowsInIndexOrder() {
  for (int32_t i = 0; i < Vid::Count; ++i) {
    if (kValueTable[i].index != i) return false;
  }
  return true;
}
static_assert(RowsInIndexOrder());

// Every row has its reference entry; only settings say what they hold before any command.
constexpr bool RowsDescribed() {
  for (const ValueTableRow& row : kValueTable) {
    const bool setting = row.kind == ValueKind::Setting;
    if (!row.help.group || !row.help.text || setting != (row.help.initially != nullptr)) {
      return false;
    }
  }
  return true;
}
static_assert(RowsDescribed());

}  // namespace
