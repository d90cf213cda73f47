#pragma once
// The fixes the rules offer, built on the source's texts. A fix is certain only when the intent
// is clear; where it can be, it is checked by parsing the changed line as the game would.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finding.h"
#include "lint_source.h"
#include "profiles/session.h"

// One edit: `span` (a view of the source's bytes) becomes `newText`.
Fix ReplaceFix(const LintSource& source, std::string_view span, std::string newText,
               bool certain, std::string title);

// For a command line with text after a ";" or "#" that follows a blank: the text is no comment
// in the game. Moves it to a line of its own above, when what is left parses without a message
// (and, for a value command, its value reads); certain then, but for Inhibit, whose time changes
// with it.
std::optional<Fix> TrailingCommentFix(LintSource& source, int32_t gameLine);

// A misspelt name at `span`: corrected to the one name of `known` nearest to it, certain when
// at most a third of its letters differ; with several equally near, no fix. Sets the finding's
// suggestion to the first nearest.
void AddNameFix(const LintSource& source, Finding& finding, std::string_view span,
                const std::vector<std::string>& known);

// "BindKey 112 0 Combat aiming": a profile name ends at the first blank unless quoted. The
// longest run of words from `name` (a view of `lineText`) on that names a profile, when it is
// longer than `name` and `name` is not quoted; empty otherwise.
std::string_view ProfileNameWithBlanks(Session& session, std::string_view lineText,
                                       std::string_view name);
// Puts `name` (a view of the source's bytes) between double quotes; certain.
Fix QuoteFix(const LintSource& source, std::string_view name);
