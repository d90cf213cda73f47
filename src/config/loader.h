#pragma once
// The configuration file: lines, blocks and headers, into the profiles of a session.

#include <cstdint>
#include <string>
#include <string_view>

#include "profiles/session.h"

// Where LoadConfiguration reads from; the game's relative path unless a tool changes it.
void SetConfigurationPath(std::string path);
const std::string& ConfigurationPath();

// What a tool may learn of a load besides the session it builds: every line as the game reads
// it, and every block's profile as built, a discarded one too, before it is dropped.
enum class LineKind : uint8_t { Blank, Comment, Header, Condition, Command };
class LoadObserver {
 public:
  virtual ~LoadObserver() = default;
  // `piece`: the line's text as read, without its line end, viewing the loaded bytes.
  virtual void LineRead(int32_t line, std::string_view piece, LineKind kind) = 0;
  virtual void ProfileBuilt(const Profile& profile) = 0;
};

// Reads the configuration file into `session`; false when it cannot be opened, which
// includes a path that is not a regular file and a file larger than any real configuration.
bool LoadConfiguration(Session& session);
// The same from text in memory, as the file reader would deliver it (tests, tools).
void LoadConfigurationText(Session& session, std::string_view fileBytes,
                           LoadObserver* observer = nullptr);

// Splits file bytes into the lines the game's text-mode reader delivers: the input ends at the
// first Ctrl-Z (0x1A), CR LF is one line end, a line longer than 1022 characters plus its end
// arrives in pieces of at most 1023 characters, and each piece's text ends at its first NUL.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes);
  // The next piece as delivered, its line end as one LF.
  bool Next(std::string& line);
  // The same piece without its line end, viewing the bytes: the loader trims it anyway.
  bool Next(std::string_view& text);

 private:
  // The piece's characters before its line end (LF or CR LF) and whether it has one.
  bool NextPiece(std::string_view& text, bool& lineEnd);

  std::string_view bytes_;
  size_t pos_ = 0;
  bool hasNul_ = false;  // most files have none, which spares a search per line
};
