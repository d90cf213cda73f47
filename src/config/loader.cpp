#include "config/loader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <cstdio>
#include <memory>
#include <utility>

#include <sys/stat.h>

#include "config/command_parser.h"
#include "config/condition_parser.h"
#include "config/diagnostics.h"
#include "config/text.h"
#include "profiles/driver.h"
#include "values/registry.h"

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

// Opens a header's block: the name runs to the last closing bracket, or to the line's end
// with a message when there is none.
void OpenHeaderBlock(std::string_view afterBracket, char closing, ProfileType type) {
  FinishBlock(false);
  ValueRegistry& registry = *currentRegistry;
  ProfileBlock& block = *registry.parseBlock;
  block.type = type;
  const size_t close = afterBracket.rfind(closing);
  if (close == std::string_view::npos) {
    block.name.assign(afterBracket);
    LogAtLine(&registry, registry.lineNumber, "Invalid name!");
  } else {
    block.name.assign(afterBracket.substr(0, close));
  }
}

void CollectCondition(std::string_view afterParenthesis) {
  ValueRegistry& registry = *currentRegistry;
  const size_t close = afterParenthesis.rfind(')');
  if (close == std::string_view::npos) {
    LogAtLine(&registry, registry.lineNumber, "Invalid syntax for condition! Ignoring line.");
  } else if (registry.parseBlock->type == ProfileType::Default) {
    LogAtLine(&registry, registry.lineNumber,
              "Found condition for default profile! Ignoring line.");
  } else {
    ProfileBlock& block = *registry.parseBlock;
    block.Add(block.conditionLines, afterParenthesis.substr(0, close), registry.lineNumber);
  }
}

}  // namespace

void SetConfigurationPath(std::string path) { PathSlot() = std::move(path); }

const std::string& ConfigurationPath() { return PathSlot(); }

// Text mode ends the input at the first Ctrl-Z.
LineReader::LineReader(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\x1A'))) {}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (pos_ >= bytes_.size()) return false;
  const char* begin = bytes_.data() + pos_;
  const size_t window = std::min(bytes_.size() - pos_, kLinePiece);
  const void* lf = std::memchr(begin, '\n', window);
  const size_t span = lf ? static_cast<size_t>(static_cast<const char*>(lf) - begin) + 1 : window;
  if (std::memchr(begin, '\r', span) == nullptr) {
    // No CR: the bytes are the characters.
    line.assign(begin, span);
    pos_ += span;
  } else {
    size_t characters = 0;
    while (pos_ < bytes_.size() && characters < kLinePiece) {
      // Text mode: CR LF arrives as a single LF.
      if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
      const char c = bytes_[pos_++];
      ++characters;
      line += c;
      if (c == '\n') break;
    }
  }
  const size_t nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
  return true;
}

bool LoadConfiguration() {
  if (currentRegistry == nullptr) return false;
  currentRegistry->lineNumber = 0;
  std::string bytes;
  if (!ReadFileBytes(ConfigurationPath(), bytes)) {
    LogAtLine(currentRegistry, 0, "File is missing!");
    return false;
  }
  LoadConfigurationText(bytes);
  return true;
}

void LoadConfigurationText(std::string_view fileBytes) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr) return;
  registry->lineNumber = 0;
  registry->parseBlock = std::make_unique<ProfileBlock>();

  LineReader reader(fileBytes);
  std::string line;
  while (reader.Next(line)) {
    ++registry->lineNumber;
    ParseLine(line);
  }
  FinishBlock(true);
  Log(registry, "Loaded %d profiles from configuration file.",
      static_cast<int>(registry->profiles.size()));

  if (registry->defaultProfile != nullptr) {
    registry->captureDefaults = 1;
    RunCommands(registry->defaultProfile, CommandPhase::OnLoad);
    registry->captureDefaults = 0;
    SwitchProfile(registry->defaultProfile, 0);
  }
}

void ParseLine(std::string_view text) {
  if (currentRegistry == nullptr || currentRegistry->parseBlock == nullptr) return;
  text = Trim(text);
  if (text.empty() || text.front() == ';' || text.front() == '#') return;

  switch (text.front()) {
    case '[':
      OpenHeaderBlock(text.substr(1), ']', ProfileType::Exclusive);
      break;
    case '{':
      OpenHeaderBlock(text.substr(1), '}', ProfileType::Parallel);
      break;
    case '(':
      CollectCondition(text.substr(1));
      break;
    default: {
      ProfileBlock& block = *currentRegistry->parseBlock;
      block.Add(block.commandLines, text, currentRegistry->lineNumber);
      break;
    }
  }
}

void FinishBlock(bool atEnd) {
  ValueRegistry* registry = currentRegistry;
  if (registry == nullptr || registry->parseBlock == nullptr) return;
  ProfileBlock& block = *registry->parseBlock;

  auto profile = std::make_unique<Profile>();
  profile->index = static_cast<int32_t>(registry->profiles.size());
  profile->name = block.name;
  profile->type = block.type;
  profile->state = ProfileState::Normal;
  profile->conditions.reserve(block.conditionLines.size());
  profile->commands.reserve(block.commandLines.size());
  // All conditions first, then all commands: their messages come in that order.
  for (const SourceLine& source : block.conditionLines) {
    if (auto condition = ParseCondition(source.line, block.TextOf(source))) {
      profile->conditions.push_back(std::move(condition));
    }
  }
  for (const SourceLine& source : block.commandLines) {
    if (auto command = ParseCommand(profile.get(), source.line, block.TextOf(source))) {
      profile->commands.push_back(std::move(command));
    }
  }

  if (atEnd) {
    registry->parseBlock.reset();
  } else {
    block.Restart(registry->lineNumber);
  }
  if (profile->state == ProfileState::Discarded) return;
  if (profile->type == ProfileType::Default) registry->defaultProfile = profile.get();
  registry->profiles.push_back(std::move(profile));
}

void ProfileBlock::Add(std::vector<SourceLine>& lines, std::string_view lineText, int32_t line) {
  lines.push_back({text.size(), lineText.size(), line});
  text.append(lineText);
}

std::string_view ProfileBlock::TextOf(const SourceLine& source) const {
  return std::string_view(text).substr(source.offset, source.length);
}

void ProfileBlock::Restart(int32_t line) {
  startLine = line;
  name = "__Default";
  text.clear();
  conditionLines.clear();
  commandLines.clear();
  type = ProfileType::Default;
}
