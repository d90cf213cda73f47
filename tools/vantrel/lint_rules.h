#pragma once
// The rules of `vantrel lint`. Each reads what the game's loader built (the session's profiles
// and records, and the lines as the source kept them) and appends its findings; a line that
// failed to load is no condition or command here.

#include <vector>

#include "finding.h"
#include "lint_source.h"
#include "profiles/session.h"

struct LintContext {
  Session& session;  // as loaded, before any frame
  LintSource& source;
  std::vector<Finding>& findings;
};

// load: the console's error lines, placed and, where the name meant is clear, fixed.
void LoadFindings(LintContext& context);
// missing-profile, duplicate-profile, unreachable-profile, shadowed-profile, parallel-target.
void ProfileFindings(LintContext& context);
// never-holds.
void ConditionFindings(LintContext& context);
// unread-value, overwritten-value, return-without-change, ignored-command.
void CommandFindings(LintContext& context);
// conflicting-key.
void KeyFindings(LintContext& context);
