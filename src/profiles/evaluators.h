#pragma once
// The six condition evaluators.

#include "profiles/profile.h"

bool CompareValue(Session& session, const FrameContext& frame, Condition* condition);
bool FactionTest(Session& session, const FrameContext& frame, Condition* condition);
bool PerkTest(Session& session, const FrameContext& frame, Condition* condition);
bool KeywordTest(Session& session, const FrameContext& frame, Condition* condition);
bool WornKeywordTest(Session& session, const FrameContext& frame, Condition* condition);
bool MagicEffectKeywordTest(Session& session, const FrameContext& frame, Condition* condition);
