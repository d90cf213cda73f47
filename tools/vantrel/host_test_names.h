#pragma once
// The condition kinds that ask the game about the actor, by the names the file uses.

#include <string>
#include <vector>

#include "profiles/profile.h"

// "Faction", "Perk", ... for a host test's evaluator; null for any other evaluator.
const char* HostTestNameOf(ConditionEvaluator evaluator);
std::vector<std::string> HostTestNames();
