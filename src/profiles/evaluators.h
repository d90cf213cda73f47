#pragma once
// The six condition evaluators and the keyword helpers they use.

#include <string_view>

#include "profiles/profile.h"

bool CompareValue(Session& session, const FrameContext& frame, Condition* condition);
bool FactionTest(Session& session, const FrameContext& frame, Condition* condition);
bool PerkTest(Session& session, const FrameContext& frame, Condition* condition);
bool KeywordTest(Session& session, const FrameContext& frame, Condition* condition);
bool WornKeywordTest(Session& session, const FrameContext& frame, Condition* condition);
bool MagicEffectKeywordTest(Session& session, const FrameContext& frame, Condition* condition);

// Replaces a keyword name operand, for good, by the keyword's form id (0 when none matches).
void ResolveKeywordOperand(Condition* condition);
HostKeyword* FindKeywordByName(std::string_view name);
bool HasActiveEffectKeyword(HostActor* actor, std::string_view name);

// Forgets the process-wide keyword name table, so that the next lookup builds it from the
// game's list again: the tests give each case a new game world in the same process.
void ResetKeywordNameTable();
