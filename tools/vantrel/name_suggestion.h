#pragma once
// "did you mean X?": the known name closest to a misspelt one.

#include <string>
#include <string_view>
#include <vector>

// Edit distance (insertions, deletions, substitutions) ignoring ASCII case.
size_t EditDistanceIgnoringCase(std::string_view a, std::string_view b);

// The first of the names nearest to `name` within edit distance 2, or empty.
std::string ClosestName(std::string_view name, const std::vector<std::string>& known);
