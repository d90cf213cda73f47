// "did you mean X?": the known names closest to a misspelt one.

#include "name_suggestion.h"

#include <algorithm>
#include <numeric>

#include "base/text.h"

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr size_t kMaxSuggestionDistance = 2;

}  // namespace

namespace {

// The edit distance when it is at most `limit`, else limit + 1: the table is filled a row at a
// time, and once every cell of a row exceeds the limit no later cell can come back under it.
size_t BoundedDistance(std::string_view a, std::string_view b, size_t limit,
                       std::vector<size_t>& row) {
  row.resize(b.size() + 1);
  std::iota(row.begin(), row.end(), size_t{0});
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    size_t smallest = row[0];
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const size_t substitution = diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
      smallest = std::min(smallest, row[j]);
    }
    if (smallest > limit) return limit + 1;
  }
  return std::min(row[b.size()], limit + 1);
}

}  // namespace

size_t EditDistanceIgnoringCase(std::string_view a, std::string_view b) {
  std::vector<size_t> row;
  return BoundedDistance(a, b, a.size() + b.size(), row);
}

std::vector<std::string> NearestNames(std::string_view name,
                                      const std::vector<std::string>& known) {
  std::vector<std::string> nearest;
  std::vector<size_t> row;  // the distance table's row, kept across the names
  size_t bestDistance = kMaxSuggestionDistance;
  for (const std::string& candidate : known) {
    // Names far apart in length cannot be close; this keeps long garbage cheap.
    const size_t lengthGap = candidate.size() > name.size() ? candidate.size() - name.size()
                                                            : name.size() - candidate.size();
    if (lengthGap > bestDistance) continue;
    const size_t distance = BoundedDistance(name, candidate, bestDistance, row);
    if (distance > bestDistance) continue;
    if (distance < bestDistance) nearest.clear();
    bestDistance = distance;
    const bool seen = std::any_of(nearest.begin(), nearest.end(), [&](const std::string& n) {
      return EqualIgnoringCase(n, candidate);
    });
    if (!seen) nearest.push_back(candidate);
  }
  return nearest;
}
