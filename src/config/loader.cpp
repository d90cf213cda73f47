// The configuration file loader: lines, blocks and headers, into the profiles of a session.

#include "config/loader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include "config/command_parser.h"
#include "config/condition_parser.h"
#include "base/diagnostics.h"
#include "base/text.h"
#include "profiles/driver.h"

namespace {

// The game reads lines with a 1024-byte buffer: 1023 characters including the LF.
constexpr size_t kLinePiece = 1023;

std::string& PathSlot() {
  static std::string path = "Data\\WOBK\\Plugins\\Vantrel.txt";
  return path;
}

// Larger than any real configuration; reading on would only exhaust memory.
constexpr size_t kMaxFileBytes = size_t{64} << 20;

// The file's bytes, or false when it cannot be opened or read, is not a regular file (a
// directory, a device, a pipe) or is larger than kMaxFileBytes: all of which the game treats
// as a file it cannot open.
bool ReadFileBytes(const std::string& path, std::string& bytes) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  if (status.st_size < 0 || static_cast<uint64_t>(status.st_size) > kMaxFileBytes) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[4096];
  size_t count = 0;
  bool tooLarge = false;
  while (!tooLarge && (count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    tooLarge = count > kMaxFileBytes - bytes.size();
    if (!tooLarge) bytes.append(buffer, count);
  }
  const bool failed = tooLarge || std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

// A collected line: its text views the file's bytes, which outlive the load.
struct SourceLine {
  std::string_view text;
  int32_t line = 0;
};

// The lines of one header's block. A load keeps one block and restarts it at each header, so
// the arrays keep their capacity instead of being allocated per block.
struct ProfileBlock {
  std::string name = "__Default";
  std::vector<SourceLine> conditionLines;
  std::vector<SourceLine> commandLines;
  ProfileType type = ProfileType::Default;
  int32_t startLine = 1;  // the header's line; 1 for the default profile

  // Empty again, as a fresh block.
  void Restart() {
    name = "__Default";
    conditionLines.clear();
    commandLines.clear();
    type = ProfileType::Default;
    startLine = 1;
  }
};

// One load: the block being collected and the lines read so far.
class BlockCollector {
 public:
  BlockCollector(Session& session, LoadObserver* observer)
      : session_(session), observer_(observer) {}

  void ParseLine(std::string_view piece) {
    ++lineNumber_;
    const std::string_view text = Trim(piece);
    const LineKind kind = KindOf(text);
    if (observer_ != nullptr) observer_->LineRead(lineNumber_, piece, kind);
    switch (kind) {
      case LineKind::Blank:
      case LineKind::Comment:
        break;
      case LineKind::Header:
        if (text.front() == '[') {
          OpenHeaderBlock(text.substr(1), ']', ProfileType::Exclusive);
        } else {
          OpenHeaderBlock(text.substr(1), '}', ProfileType::Parallel);
        }
        break;
      case LineKind::Condition:
        CollectCondition(text.substr(1));
        break;
      case LineKind::Command:
        block_.commandLines.push_back({text, lineNumber_});
        break;
    }
  }

  // Builds the block's profile in place at the end of the session's profiles; the block
  // restarts empty for the next header.
  void FinishBlock() {
    Profile& profile = session_.profiles.emplace_back();
    profile.index = static_cast<int32_t>(session_.profiles.size() - 1);
    profile.name = block_.name;
    profile.type = block_.type;
    profile.line = block_.startLine;
    profile.state = ProfileState::Normal;
    profile.conditions.reserve(block_.conditionLines.size());
    profile.commands.reserve(block_.commandLines.size());
    // All conditions first, then all commands: their messages come in that order.
    for (const SourceLine& source : block_.conditionLines) {
      if (!ParseCondition(session_, source.line, source.text, profile.conditions.emplace_back())) {
        profile.conditions.pop_back();
      }
    }
    for (const SourceLine& source : block_.commandLines) {
      if (!ParseCommand(session_, &profile, source.line, source.text,
                        profile.commands.emplace_back())) {
        profile.commands.pop_back();
      }
    }
    block_.Restart();
    if (observer_ != nullptr) observer_->ProfileBuilt(profile);
    if (profile.state == ProfileState::Discarded) {
      session_.profiles.pop_back();
      return;
    }
    session_.profileNames.Add(profile.name, profile.index);
    if (profile.type == ProfileType::Default) session_.defaultProfile = &profile;
  }

 private:
  // By the first character of the trimmed line.
  static LineKind KindOf(std::string_view text) {
    if (text.empty()) return LineKind::Blank;
    switch (text.front()) {
      case ';':
      case '#':
        return LineKind::Comment;
      case '[':
      case '{':
        return LineKind::Header;
      case '(':
        return LineKind::Condition;
      default:
        return LineKind::Command;
    }
  }

  // Opens a header's block: the name runs to the last closing bracket, or to the line's end
  // with a message when there is none.
  void OpenHeaderBlock(std::string_view afterBracket, char closing, ProfileType type) {
    FinishBlock();
    block_.type = type;
    block_.startLine = lineNumber_;
    const size_t close = afterBracket.rfind(closing);
    if (close == std::string_view::npos) {
      block_.name.assign(afterBracket);
      LogAtLine(session_.messageQueue, lineNumber_, "Invalid name!");
    } else {
      block_.name.assign(afterBracket.substr(0, close));
    }
  }

  void CollectCondition(std::string_view afterParenthesis) {
    const size_t close = afterParenthesis.rfind(')');
    if (close == std::string_view::npos) {
      LogAtLine(session_.messageQueue, lineNumber_, "Invalid syntax for condition! Ignoring line.");
    } else if (block_.type == ProfileType::Default) {
      LogAtLine(session_.messageQueue, lineNumber_,
                "Found condition for default profile! Ignoring line.");
    } else {
      block_.conditionLines.push_back({afterParenthesis.substr(0, close), lineNumber_});
    }
  }

  Session& session_;
  LoadObserver* observer_;
  ProfileBlock block_;
  int32_t lineNumber_ = 0;
};

}  // namespace

void SetConfigurationPath(std::string path) { PathSlot() = std::move(path); }

const std::string& ConfigurationPath() { return PathSlot(); }

// Text mode ends the input at the first Ctrl-Z.
LineReader::LineReader(std::string_view bytes)
    : bytes_(bytes.substr(0, bytes.find('\x1A'))),
      hasNul_(bytes_.find('\0') != std::string_view::npos) {}

bool LineReader::NextPiece(std::string_view& text, bool& lineEnd) {
  if (pos_ >= bytes_.size()) return false;
  const char* begin = bytes_.data() + pos_;
  const size_t left = bytes_.size() - pos_;
  // A CR LF arrives as one character, so a piece that ends in one spans a byte more.
  const void* found = std::memchr(begin, '\n', std::min(left, kLinePiece + 1));
  const size_t lf = found ? static_cast<size_t>(static_cast<const char*>(found) - begin) : left;
  const bool crBefore = found != nullptr && lf > 0 && begin[lf - 1] == '\r';
  lineEnd = found != nullptr && (lf < kLinePiece || crBefore);
  if (lineEnd) {
    text = std::string_view(begin, crBefore ? lf - 1 : lf);
    pos_ += lf + 1;
  } else {
    text = std::string_view(begin, std::min(left, kLinePiece));
    pos_ += text.size();
  }
  if (hasNul_) {
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
      text = text.substr(0, nul);
      lineEnd = false;  // the text ends at the NUL, before the line end
    }
  }
  return true;
}

bool LineReader::Next(std::string_view& text) {
  bool lineEnd = false;
  return NextPiece(text, lineEnd);
}

bool LineReader::Next(std::string& line) {
  std::string_view text;
  bool lineEnd = false;
  if (!NextPiece(text, lineEnd)) {
    line.clear();
    return false;
  }
  line.assign(text);
  if (lineEnd) line += '\n';
  return true;
}

bool LoadConfiguration(Session& session) {
  std::string bytes;
  if (!ReadFileBytes(ConfigurationPath(), bytes)) {
    LogAtLine(session.messageQueue, 0, "File is missing!");
    return false;
  }
  LoadConfigurationText(session, bytes);
  return true;
}

void LoadConfigurationText(Session& session, std::string_view fileBytes,
                           LoadObserver* observer) {
  BlockCollector collector(session, observer);
  LineReader reader(fileBytes);
  std::string_view line;
  session.texts.StartSharing();
  while (reader.Next(line)) collector.ParseLine(line);
  collector.FinishBlock();
  session.texts.StopSharing();
  Log(session.messageQueue, "Loaded %d profiles from configuration file.",
      static_cast<int>(session.profiles.size()));

  if (session.defaultProfile != nullptr) {
    session.values.captureDefaults = true;
    RunCommands(session, kOutsideFrame, session.defaultProfile, CommandPhase::OnLoad);
    session.values.captureDefaults = false;
    SwitchProfile(session, kOutsideFrame, session.defaultProfile, 0);
  }
}
