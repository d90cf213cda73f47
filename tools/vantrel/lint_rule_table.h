#pragma once
// The rules of `vantrel lint`: one table feeds `vantrel help RULE`, the rule section of
// docs/configuration.md, SARIF's rule list and the language server's hover.

#include <span>
#include <string_view>

#include "finding.h"

struct LintRule {
  const char* id;        // as findings and suppression comments name it
  Severity severity;     // of its findings
  const char* summary;   // what it finds, in one sentence
  const char* why;       // what the game does, so why it matters
  const char* example;   // configuration lines that it reports (lines separated by \n)
  const char* instead;   // the same written so that it does what was meant
};

std::span<const LintRule> LintRules();
// Null for an id no rule has (case matters, as in suppression comments).
const LintRule* FindLintRule(std::string_view id);
