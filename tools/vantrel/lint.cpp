// LintConfiguration: the game's loader reads the text into a session of its own, the rules read
// what it built, and the suppression comments and disabled rules take their findings out.
#include "lint.h"

#include <algorithm>

#include "config/loader.h"
#include "lint_file_format.h"
#include "lint_rules.h"
#include "lint_source.h"
#include "lint_suppression.h"

namespace {

bool Disabled(const LintOptions& options, const Finding& finding) {
  const auto& rules = options.disabledRules;
  return std::find(rules.begin(), rules.end(), finding.rule) != rules.end();
}

void SortByPosition(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    if (a.line != b.line) return a.line < b.line;
    if (a.column != b.column) return a.column < b.column;
    return a.severity < b.severity;  // errors first
  });
}

}  // namespace

std::vector<Finding> LintConfiguration(std::string_view fileBytes, const LintOptions& options) {
  std::vector<Finding> findings;
  if (IsUtf16(fileBytes)) {
    findings.push_back(Utf16Finding());
  } else {
    LintSource source(fileBytes);
    // A session of its own, without a camera: the load and its start-up commands run as in the
    // game, and nothing of the live plug-in is touched (the commands reach the host, which in
    // the tool is the simulated game).
    Session session;
    session.loading = true;
    LoadConfigurationText(session, fileBytes, &source);
    session.loading = false;
    LintContext context{session, source, findings};
    LoadFindings(context);
    FileFormatFindings(context);
    ProfileFindings(context);
    ConditionFindings(context);
    CommandFindings(context);
    KeyFindings(context);
    const Suppressions suppressions = ReadSuppressions(source, findings);
    findings.erase(std::remove_if(findings.begin(), findings.end(),
                                  [&](const Finding& f) { return suppressions.Silences(f); }),
                   findings.end());
  }
  findings.erase(std::remove_if(findings.begin(), findings.end(),
                                [&](const Finding& f) { return Disabled(options, f); }),
                 findings.end());
  SortByPosition(findings);
  for (Finding& finding : findings) {
    std::stable_partition(finding.fixes.begin(), finding.fixes.end(),
                          [](const Fix& fix) { return fix.certain; });
  }
  return findings;
}
