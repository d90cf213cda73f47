#pragma once
// Suppression comments: "; vantrel: ignore RULE[,RULE]" silences those rules on the next
// configuration line (blank and comment lines skipped), "; vantrel: ignore-file RULE[,RULE]"
// among the file's first comment lines silences them everywhere. Only a comment line counts:
// text after a command is part of the command in the game.

#include <map>
#include <string>
#include <vector>

#include "finding.h"
#include "lint_source.h"

struct Suppressions {
  std::vector<std::string> fileRules;
  std::map<int32_t, std::vector<std::string>> lineRules;  // by editor line

  bool Silences(const Finding& finding) const;
};

// Reads the comments, and appends a `suppression` finding for each one that does nothing: at
// the end of a line, naming an unknown rule, or ignore-file after the first comment lines.
Suppressions ReadSuppressions(LintSource& source, std::vector<Finding>& findings);
