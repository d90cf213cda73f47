#pragma once
// Scenario directives that change the simulated game. Each returns false on a bad argument.

#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"

bool ReadFloat(const std::string& word, float& out);
bool ReadInt(const std::string& word, int32_t& out);

// The actor the camera follows: the controller's chosen reference, else the player.
HostActor* FollowedActor();

// "set NAME LITERAL": makes the game-state value NAME read LITERAL at the next update pass.
bool SetGameState(const std::string& name, const std::string& literal);
// "hand right|left none|empty|spell|magic|onehanded|twohanded|bow|crossbow",
// "hand right|left weapon KIND" (a weapon with that kind byte), "hand right|left form TYPE"
// (a form of that type byte that is not a weapon), "hand mode BYTE" (the combat state's mode).
bool SetHand(const std::vector<std::string>& words);
// "faction|perk|keyword|worn|effect add|remove ARG".
bool IsFactDirective(const std::string& directive);
bool EditFact(const std::string& directive, bool add, const std::string& argument);
// "node NAME position X Y Z", "node NAME rotation YAW PITCH", "node NAME remove".
bool EditNode(const std::vector<std::string>& words);
// "crosshair FORMID|none", "crosshair FORMID actor|reference", "pick X Y Z|none".
bool SetCrosshair(const std::vector<std::string>& words);
bool SetPick(const std::vector<std::string>& words);
// "game running|paused": the flag that stops the mount and dismount windows counting.
bool SetGameRunning(const std::string& word);
// "remove|restore NAME": takes a game object away (the host then reports it absent) or puts
// the same object back. NAME: console, camera, keywords, input, menus, combat, crosshair, ui,
// main, player.
bool SetPresence(const std::string& name, bool present);
// "answer NAME WORD|normal": the raw 32-bit answer of a host query. Actor queries (running,
// sprinting, dead, mounted, sneaking, sitting, jumping) answer WORD for the followed actor;
// menu, faction, perk, keyword and worn answer WORD whatever the world holds, until "normal".
bool SetAnswer(const std::string& query, const std::string& word);
