// Scenario files: reading one directive per line.

#include "scenario.h"

#include <sstream>

#include "base/text.h"

namespace {

// The next word of `line` from `pos`: a run of non-blanks, or the text between double quotes.
bool NextWord(const std::string& line, size_t& pos, std::string& word) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos >= line.size()) return false;
  word.clear();
  if (line[pos] == '"') {
    const size_t close = line.find('"', pos + 1);
    const size_t end = close == std::string::npos ? line.size() : close;
    word = line.substr(pos + 1, end - pos - 1);
    pos = close == std::string::npos ? line.size() : close + 1;
    return true;
  }
  while (pos < line.size() && !IsBlank(line[pos])) word += line[pos++];
  return true;
}

}  // namespace

std::vector<ScenarioLine> ParseScenario(const std::string& text) {
  std::vector<ScenarioLine> lines;
  std::istringstream in(text);
  std::string raw;
  int32_t number = 0;
  while (std::getline(in, raw)) {
    ++number;
    const std::string line(Trim(raw));
    if (line.empty() || line[0] == '#') continue;
    ScenarioLine parsed;
    parsed.number = number;
    parsed.text = line;
    size_t pos = 0;
    std::string word;
    while (NextWord(line, pos, word)) {
      parsed.words.push_back(word);
      parsed.wordEnds.push_back(pos);
    }
    parsed.rest = TextAfterWords(parsed, 2);
    lines.push_back(std::move(parsed));
  }
  return lines;
}

std::string TextAfterWords(const ScenarioLine& line, size_t count) {
  if (count == 0) return line.text;
  if (count > line.wordEnds.size()) return "";
  return std::string(Trim(std::string_view(line.text).substr(line.wordEnds[count - 1])));
}
