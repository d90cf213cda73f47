#pragma once
// Scenario files for `vantrel simulate`: one directive per line, "#" comments, blank lines
// ignored, words separated by white space, a word with spaces written in double quotes.

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioLine {
  int32_t number = 0;           // line number in the file, from 1
  std::vector<std::string> words;
  std::string rest;             // the text after the first two words (for "expect console")
  std::string text;             // the whole directive, trimmed
  std::vector<size_t> wordEnds; // where each word ends in `text`
};

// The trimmed text after the first `count` words ("expect no console TEXT" takes 3).
std::string TextAfterWords(const ScenarioLine& line, size_t count);

// Splits scenario text into directive lines; comments and blank lines are left out.
std::vector<ScenarioLine> ParseScenario(const std::string& text);
