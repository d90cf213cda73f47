#pragma once
// Applying the certain fixes of findings to a file's text, and showing changes as a diff.

#include <string>
#include <string_view>
#include <vector>

#include "finding.h"

struct FixedText {
  std::string text;
  std::vector<const Finding*> fixed;  // the findings whose certain fix was applied
};

// Applies each finding's first certain fix; a fix whose edits overlap one already taken waits
// for the next run. Line ends are the text's own.
FixedText ApplyCertainFixes(std::string_view text, const std::vector<Finding>& findings);

// A unified diff from `before` to `after`, three lines of context around each change.
std::string UnifiedDiff(const std::string& path, std::string_view before, std::string_view after);
