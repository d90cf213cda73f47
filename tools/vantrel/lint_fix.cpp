#include "lint_fix.h"

#include <algorithm>

#include "lint_lines.h"

namespace {

using Applied = FixedText::Applied;

bool Overlaps(const Applied& a, const Applied& b) {
  // Two insertions at one place would have no defined order.
  if (a.start == a.end && b.start == b.end) return a.start == b.start;
  return a.start < b.end && b.start < a.end;
}

// The edits of `applied` that lie within [from, to), applied to that stretch of `text`.
std::string ApplyWithin(std::string_view text, size_t from, size_t to,
                        const std::vector<Applied>& applied) {
  std::string out;
  size_t at = from;
  for (const Applied& edit : applied) {
    if (edit.start < from || edit.end > to) continue;
    out.append(text.substr(at, edit.start - at));
    out += edit.newText;
    at = edit.end;
  }
  out.append(text.substr(at, to - at));
  return out;
}

// Lines of a text without their ends.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (;;) {
    const size_t lf = text.find('\n', at);
    std::string_view line = text.substr(at, lf == std::string_view::npos ? text.npos : lf - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (lf == std::string_view::npos) break;
    at = lf + 1;
  }
  return lines;
}

// One run of old lines [first, last] replaced by new lines.
struct Change {
  int32_t first = 0;
  int32_t last = 0;
  std::vector<std::string> lines;
};

std::vector<Change> ChangesOf(std::string_view before, const EditorLines& lines,
                              const std::vector<Applied>& edits) {
  std::vector<Change> changes;
  for (size_t i = 0; i < edits.size();) {
    int32_t first = 0;
    int32_t last = 0;
    int32_t column = 0;
    lines.PositionOf(edits[i].start, first, column);
    lines.PositionOf(edits[i].end, last, column);
    size_t j = i + 1;
    for (; j < edits.size(); ++j) {
      int32_t line = 0;
      lines.PositionOf(edits[j].start, line, column);
      if (line > last) break;
      lines.PositionOf(edits[j].end, line, column);
      last = std::max(last, line);
    }
    const size_t from = lines.OffsetOf(first, 1);
    const size_t to = from + (lines.OffsetOf(last, 1) - from) + lines.Line(last).size();
    const std::vector<Applied> group(edits.begin() + i, edits.begin() + j);
    changes.push_back({first, last, SplitLines(ApplyWithin(before, from, to, group))});
    i = j;
  }
  return changes;
}

}  // namespace

FixedText ApplyCertainFixes(std::string_view text, const std::vector<Finding>& findings) {
  const EditorLines lines(text);
  FixedText fixed;
  for (const Finding& finding : findings) {
    const auto fix = std::find_if(finding.fixes.begin(), finding.fixes.end(),
                                  [](const Fix& f) { return f.certain; });
    if (fix == finding.fixes.end()) continue;
    std::vector<Applied> edits;
    for (const TextEdit& edit : fix->edits) {
      edits.push_back({lines.OffsetOf(edit.line, edit.column),
                       lines.OffsetOf(edit.endLine, edit.endColumn), edit.newText});
    }
    const bool clashes = std::any_of(edits.begin(), edits.end(), [&](const Applied& mine) {
      return std::any_of(fixed.edits.begin(), fixed.edits.end(),
                         [&](const Applied& taken) { return Overlaps(mine, taken); });
    });
    if (clashes) continue;
    fixed.edits.insert(fixed.edits.end(), edits.begin(), edits.end());
    fixed.fixed.push_back(&finding);
  }
  std::sort(fixed.edits.begin(), fixed.edits.end(),
            [](const Applied& a, const Applied& b) { return a.start < b.start; });
  fixed.text = ApplyWithin(text, 0, text.size(), fixed.edits);
  return fixed;
}

std::string UnifiedDiff(const std::string& path, std::string_view before, const FixedText& fixed) {
  if (fixed.edits.empty()) return "";
  const EditorLines lines(before);
  const std::vector<Change> changes = ChangesOf(before, lines, fixed.edits);
  constexpr int32_t kContext = 3;
  std::string out = "--- " + path + "\n+++ " + path + "\n";
  int32_t shift = 0;  // new line number minus old line number so far
  for (size_t i = 0; i < changes.size();) {
    // Changes whose context touches go into one hunk.
    size_t j = i + 1;
    while (j < changes.size() && changes[j].first - changes[j - 1].last <= 2 * kContext + 1) ++j;
    const int32_t start = std::max(1, changes[i].first - kContext);
    const int32_t end = std::min(lines.Count(), changes[j - 1].last + kContext);
    std::string body;
    int32_t oldCount = 0;
    int32_t newCount = 0;
    int32_t line = start;
    for (size_t k = i; k < j; ++k) {
      for (; line < changes[k].first; ++line, ++oldCount, ++newCount) {
        body += " " + std::string(lines.Line(line)) + "\n";
      }
      for (; line <= changes[k].last; ++line, ++oldCount) {
        body += "-" + std::string(lines.Line(line)) + "\n";
      }
      for (const std::string& added : changes[k].lines) body += "+" + added + "\n";
      newCount += static_cast<int32_t>(changes[k].lines.size());
    }
    for (; line <= end; ++line, ++oldCount, ++newCount) {
      body += " " + std::string(lines.Line(line)) + "\n";
    }
    out += "@@ -" + std::to_string(start) + "," + std::to_string(oldCount) + " +" +
           std::to_string(start + shift) + "," + std::to_string(newCount) + " @@\n" + body;
    shift += newCount - oldCount;
    i = j;
  }
  return out;
}
