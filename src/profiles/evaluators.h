#pragma once
// The six condition evaluators and the keyword helpers they use.

#include <string_view>

#include "profiles/profile.h"

bool CompareValue(HostRef* actor, HostActor* actorAsCharacter, Condition* condition);
bool FactionTest(HostRef* actor, HostActor* actorAsCharacter, Condition* condition);
bool PerkTest(HostRef* actor, HostActor* actorAsCharacter, Condition* condition);
bool KeywordTest(HostRef* actor, HostActor* actorAsCharacter, Condition* condition);
bool WornKeywordTest(HostRef* actor, HostActor* actorAsCharacter, Condition* condition);
bool MagicEffectKeywordTest(HostRef* actor, HostActor* actorAsCharacter, Condition* condition);

// Replaces a keyword name operand, for good, by the keyword's form id (0 when none matches).
void ResolveKeywordOperand(Condition* condition);
HostKeyword* FindKeywordByName(std::string_view name);
bool HasActiveEffectKeyword(HostActor* actor, std::string_view name);

// Test support: forget the process-wide keyword name table.
void ResetKeywordNameTable();
