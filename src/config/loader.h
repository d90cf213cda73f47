#pragma once
// The configuration file: lines, blocks and headers, into the profiles of a session.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/session.h"

// A collected line; its text is in the block's text buffer at [offset, offset + length).
struct SourceLine {
  size_t offset = 0;
  size_t length = 0;
  int32_t line = 0;
};

// The lines of one header's block. A load keeps one block and restarts it at each header, so
// the buffers keep their capacity instead of being allocated per line and per block.
struct ProfileBlock {
  std::string name = "__Default";
  std::string text;  // the collected lines' texts, back to back
  std::vector<SourceLine> conditionLines;
  std::vector<SourceLine> commandLines;
  ProfileType type = ProfileType::Default;
  int32_t startLine = 1;  // the header's line; 1 for the default profile

  void Add(std::vector<SourceLine>& lines, std::string_view lineText, int32_t line);
  std::string_view TextOf(const SourceLine& source) const;
  // Empty again, as a fresh block.
  void Restart();
};

// Where LoadConfiguration reads from; the game's relative path unless a tool changes it.
void SetConfigurationPath(std::string path);
const std::string& ConfigurationPath();

// Reads the configuration file into `session`; false when it cannot be opened, which
// includes a path that is not a regular file and a file larger than any real configuration.
bool LoadConfiguration(Session& session);
// The same from text in memory, as the file reader would deliver it (tests, tools).
void LoadConfigurationText(Session& session, std::string_view fileBytes);

// Splits file bytes into the lines the game's text-mode reader delivers: the input ends at the
// first Ctrl-Z (0x1A), CR LF is one line end, a line longer than 1022 characters plus its end
// arrives in pieces of at most 1023 characters, and each piece's text ends at its first NUL.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes);
  bool Next(std::string& line);

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};
