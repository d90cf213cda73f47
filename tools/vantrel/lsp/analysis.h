#pragma once
// What the game's loader and the lint rules make of a document's text.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "finding.h"
#include "profiles/session.h"

// A line as the game reads it, by its place in the analysed text.
struct GameLine {
  size_t begin = 0;
  size_t length = 0;
};

struct Analysis {
  std::unique_ptr<Session> session;  // as the loader built it
  std::vector<GameLine> lines;       // game line N is lines[N - 1]
  std::vector<Finding> findings;
};

std::unique_ptr<Analysis> AnalyzeText(std::string_view text);
