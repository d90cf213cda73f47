#pragma once
// Scenario directives that change the simulated game. Each returns false on a bad argument,
// with what was wrong in the arguments' problem.

#include <array>
#include <cstdint>
#include <string>

#include "host/host.h"
#include "scenario_directives.h"

bool ReadFloat(const std::string& word, float& out);
bool ReadInt(const std::string& word, int32_t& out);

// A world rotation, row-major, turned YAW degrees to the right and then PITCH up:
// Rz(-yaw) * Rx(pitch), as the game's camera and nodes hold it.
std::array<float, 9> YawPitchRotation(double yawDegrees, double pitchDegrees);

// The actor the camera follows: the controller's chosen reference, else the player.
HostActor* FollowedActor();

// "set NAME LITERAL": makes the game-state value NAME read LITERAL at the next update pass.
bool SetGameState(ScenarioRun&, DirectiveArgs& args);
// "menu NAME open|close".
bool SetMenu(ScenarioRun&, DirectiveArgs& args);
// "hand right|left none|empty|spell|magic|onehanded|twohanded|bow|crossbow",
// "hand right|left weapon KIND" (a weapon with that kind byte), "hand right|left form TYPE"
// (a form of that type byte that is not a weapon), "hand mode BYTE" (the combat state's mode).
bool SetHand(ScenarioRun&, DirectiveArgs& args);
// "faction|perk|keyword|worn|effect add|remove ARG".
bool EditFact(ScenarioRun&, DirectiveArgs& args);
// "node NAME position X Y Z", "node NAME rotation YAW PITCH", "node NAME remove",
// "node NAME scale S", "node NAME axis X Y Z DEG": the player's skeleton.
bool EditNode(ScenarioRun&, DirectiveArgs& args);
// "player rotation PITCH YAW", "actor FORMID rotation PITCH YAW": a reference's own rotation.
bool SetRefRotation(ScenarioRun&, DirectiveArgs& args);
// "player 3d none|restore": the followed character loses or regains its loaded 3D.
bool SetLoaded3D(ScenarioRun&, DirectiveArgs& args);
// "crosshair none", "crosshair FORMID [actor|reference|creature]", "pick none", "pick X Y Z".
bool SetCrosshair(ScenarioRun&, DirectiveArgs& args);
bool SetPick(ScenarioRun&, DirectiveArgs& args);
// "key CODE down|up", "window active|inactive|none", "poll WORD".
bool SetKey(ScenarioRun&, DirectiveArgs& args);
bool SetWindow(ScenarioRun&, DirectiveArgs& args);
bool SetPoll(ScenarioRun&, DirectiveArgs& args);
// "game running|paused": the flag that stops the mount and dismount windows counting.
bool SetGameRunning(ScenarioRun&, DirectiveArgs& args);
// "remove|restore NAME": takes a game object away (the host then reports it absent) or puts
// the same object back. NAME: console, camera, keywords, input, menus, combat, crosshair, ui,
// main, player.
bool SetPresence(ScenarioRun&, DirectiveArgs& args);
// "answer NAME WORD|normal": the raw 32-bit answer of a host query. Actor queries (running,
// sprinting, dead, mounted, sneaking, sitting, jumping) answer WORD for the followed actor;
// menu, faction, perk, keyword and worn answer WORD whatever the world holds, until "normal".
bool SetAnswer(ScenarioRun&, DirectiveArgs& args);
// "camera yaw DEG pitch DEG", "game look YAW PITCH": the game camera state's own angles.
bool SetCameraAngles(ScenarioRun&, DirectiveArgs& args);
