#pragma once
// "did you mean X?": the known names closest to a misspelt one.

#include <string>
#include <string_view>
#include <vector>

// Edit distance (insertions, deletions, substitutions) ignoring ASCII case.
size_t EditDistanceIgnoringCase(std::string_view a, std::string_view b);

// The names nearest to `name` within edit distance 2, in the order given, each once ignoring
// case; empty when none is that close. One name alone is a clear correction.
std::vector<std::string> NearestNames(std::string_view name, const std::vector<std::string>& known);
