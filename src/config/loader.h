#pragma once
// The configuration file: lines, blocks and headers, into profiles of currentRegistry.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/profile.h"

struct SourceLine {
  std::string text;
  int32_t line = 0;
};

struct ProfileBlock {
  int32_t startLine = 1;
  std::string name = "__Default";
  std::vector<SourceLine> conditionLines;
  std::vector<SourceLine> commandLines;
  ProfileType type = ProfileType::Default;
};

// Where LoadConfiguration reads from; the game's relative path unless a tool changes it.
void SetConfigurationPath(std::string path);
const std::string& ConfigurationPath();

// Reads the configuration file into currentRegistry; false when it cannot be opened.
bool LoadConfiguration();
// The same from text in memory, as the file reader would deliver it (tests, tools).
void LoadConfigurationText(std::string_view fileBytes);

void ParseLine(std::string_view text);
void FinishBlock(bool atEnd);

// Splits file bytes into the lines the game's text-mode reader delivers: CR LF is one line
// end, a line longer than 1022 characters plus its end arrives in pieces of at most 1023
// characters, and each piece's text ends at its first NUL.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}
  bool Next(std::string& line);

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};
