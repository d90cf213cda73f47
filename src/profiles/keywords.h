#pragma once
// Keywords by their editor names: the process-wide name table the keyword conditions use.

#include <string_view>

#include "host/host.h"
#include "profiles/profile.h"

// Replaces a keyword name operand, for good, by the keyword's form id (0 when none matches).
void ResolveKeywordOperand(Condition* condition);
HostKeyword* FindKeywordByName(std::string_view name);
bool HasActiveEffectKeyword(HostActor* actor, std::string_view name);

// Forgets the process-wide keyword name table, so that the next lookup builds it from the
// game's list again: the tests give each case a new game world in the same process.
void ResetKeywordNameTable();
