#pragma once
// Applying the certain fixes of findings to a file's text, and showing them as a diff.

#include <string>
#include <string_view>
#include <vector>

#include "finding.h"

struct FixedText {
  // One edit as applied: bytes [start, end) of the old text became newText.
  struct Applied {
    size_t start = 0;
    size_t end = 0;
    std::string newText;
  };
  std::string text;
  std::vector<Applied> edits;         // in order of position, none overlapping
  std::vector<const Finding*> fixed;  // the findings whose certain fix was applied
};

// Applies each finding's first certain fix; a fix whose edits overlap one already taken waits
// for the next run. Line ends are the text's own.
FixedText ApplyCertainFixes(std::string_view text, const std::vector<Finding>& findings);

// A unified diff of what the fixes changed, three lines of context around each change.
std::string UnifiedDiff(const std::string& path, std::string_view before, const FixedText& fixed);
