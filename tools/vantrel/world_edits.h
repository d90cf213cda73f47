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
// "hand right|left none|empty|spell|onehanded|twohanded|bow|crossbow".
bool SetHand(const std::string& hand, const std::string& holds);
// "faction|perk|keyword|worn|effect add|remove ARG".
bool IsFactDirective(const std::string& directive);
bool EditFact(const std::string& directive, bool add, const std::string& argument);
// "node NAME position X Y Z", "node NAME rotation YAW PITCH", "node NAME remove".
bool EditNode(const std::vector<std::string>& words);
// "crosshair FORMID|none", "pick X Y Z|none".
bool SetCrosshair(const std::string& word);
bool SetPick(const std::vector<std::string>& words);
