// Applying lint's certain fixes to a file's text, and showing them as a diff.

#include "lint_fix.h"

#include <algorithm>

#include "lint_lines.h"

namespace {

// One edit as applied: bytes [start, end) of the old text become newText.
struct Applied {
  size_t start = 0;
  size_t end = 0;
  std::string newText;
};

bool Overlaps(const Applied& a, const Applied& b) {
  // Two insertions at one place would have no defined order.
  if (a.start == a.end && b.start == b.end) return a.start == b.start;
  return a.start < b.end && b.start < a.end;
}

// Lines without their LF; a CR before it stays, so the diff applies to the file as it is.
std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t lf = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, lf - at));
    at = lf + 1;
  }
  return lines;
}

enum class Op : char { Keep = ' ', Delete = '-', Insert = '+' };

// The shortest edit script from a to b (Myers), as operations in order.
std::vector<Op> EditScript(const std::vector<std::string_view>& a,
                           const std::vector<std::string_view>& b) {
  const int n = static_cast<int>(a.size());
  const int m = static_cast<int>(b.size());
  const int offset = n + m + 1;
  std::vector<int> v(2 * offset + 1, 0);
  std::vector<std::vector<int>> trace;
  for (int d = 0; d <= n + m; ++d) {
    trace.push_back(v);
    bool done = false;
    for (int k = -d; k <= d && !done; k += 2) {
      int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                             : v[offset + k - 1] + 1;
      int y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      v[offset + k] = x;
      done = x >= n && y >= m;
    }
    if (done) break;
  }
  // Walk back through the recorded rounds.
  std::vector<Op> ops;
  int x = n;
  int y = m;
  for (int d = static_cast<int>(trace.size()) - 1; d >= 0; --d) {
    const std::vector<int>& before = trace[d];
    const int k = x - y;
    const bool down = k == -d || (k != d && before[offset + k - 1] < before[offset + k + 1]);
    const int previousK = down ? k + 1 : k - 1;
    const int previousX = d == 0 ? 0 : before[offset + previousK];
    const int previousY = previousX - previousK;
    while (x > previousX && y > previousY) ops.push_back(Op::Keep), --x, --y;
    if (d > 0) ops.push_back(down ? Op::Insert : Op::Delete);
    x = previousX;
    y = previousY;
  }
  std::reverse(ops.begin(), ops.end());
  return ops;
}

}  // namespace

FixedText ApplyCertainFixes(std::string_view text, const std::vector<Finding>& findings) {
  const EditorLines lines(text);
  FixedText fixed;
  std::vector<Applied> taken;
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
      return std::any_of(taken.begin(), taken.end(),
                         [&](const Applied& other) { return Overlaps(mine, other); });
    });
    if (clashes) continue;
    taken.insert(taken.end(), edits.begin(), edits.end());
    fixed.fixed.push_back(&finding);
  }
  std::sort(taken.begin(), taken.end(),
            [](const Applied& a, const Applied& b) { return a.start < b.start; });
  size_t at = 0;
  for (const Applied& edit : taken) {
    fixed.text.append(text.substr(at, edit.start - at));
    fixed.text += edit.newText;
    at = edit.end;
  }
  fixed.text.append(text.substr(at));
  return fixed;
}

std::string UnifiedDiff(const std::string& path, std::string_view before, std::string_view after) {
  const std::vector<std::string_view> a = LinesOf(before);
  const std::vector<std::string_view> b = LinesOf(after);
  // The common start and end need no search.
  size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
    ++tail;
  }
  if (head == a.size() && head == b.size()) return "";
  std::vector<Op> ops(head, Op::Keep);
  const std::vector<Op> middle =
      EditScript({a.begin() + head, a.end() - tail}, {b.begin() + head, b.end() - tail});
  ops.insert(ops.end(), middle.begin(), middle.end());
  ops.insert(ops.end(), tail, Op::Keep);

  constexpr size_t kContext = 3;
  std::string out = "--- " + path + "\n+++ " + path + "\n";
  // Position in a and b of each operation.
  std::vector<std::pair<size_t, size_t>> at;
  size_t i = 0;
  size_t j = 0;
  for (const Op op : ops) {
    at.emplace_back(i, j);
    if (op != Op::Insert) ++i;
    if (op != Op::Delete) ++j;
  }
  for (size_t first = 0; first < ops.size();) {
    if (ops[first] == Op::Keep) {
      ++first;
      continue;
    }
    // A hunk: from kContext before this change to kContext after the last change that lies
    // within 2 * kContext of the one before it.
    size_t last = first;
    for (size_t next = first; next < ops.size(); ++next) {
      if (ops[next] == Op::Keep) continue;
      if (next > last + 2 * kContext + 1) break;
      last = next;
    }
    const size_t start = first >= kContext ? first - kContext : 0;
    const size_t end = std::min(ops.size(), last + kContext + 1);
    std::string body;
    size_t oldCount = 0;
    size_t newCount = 0;
    for (size_t k = start; k < end; ++k) {
      const std::string_view line = ops[k] == Op::Insert ? b[at[k].second] : a[at[k].first];
      body += static_cast<char>(ops[k]);
      body.append(line);
      body += '\n';
      oldCount += ops[k] != Op::Insert;
      newCount += ops[k] != Op::Delete;
    }
    out += "@@ -" + std::to_string(at[start].first + (oldCount > 0)) + "," +
           std::to_string(oldCount) + " +" + std::to_string(at[start].second + (newCount > 0)) +
           "," + std::to_string(newCount) + " @@\n" + body;
    first = end;
  }
  return out;
}
