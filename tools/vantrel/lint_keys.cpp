// Rule conflicting-key: a binding replaces the action of every earlier binding of its key on the
// same edge, whatever the modifiers; where both requests reach the game in one go, the earlier
// chord never acts.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lint_rules.h"
#include "profiles/command_table.h"
#include "profiles/driver.h"

namespace {

struct KeyName {
  int32_t code;
  const char* name;
};

constexpr KeyName kKeyNames[] = {
    {0x08, "Backspace"}, {0x09, "Tab"},    {0x0D, "Enter"},     {0x10, "Shift"},
    {0x11, "Ctrl"},      {0x12, "Alt"},    {0x13, "Pause"},     {0x14, "Caps Lock"},
    {0x1B, "Esc"},       {0x20, "Space"},  {0x21, "Page Up"},   {0x22, "Page Down"},
    {0x23, "End"},       {0x24, "Home"},   {0x25, "Left"},      {0x26, "Up"},
    {0x27, "Right"},     {0x28, "Down"},   {0x2D, "Insert"},    {0x2E, "Delete"},
    {0x6A, "Num *"},     {0x6B, "Num +"},  {0x6D, "Num -"},     {0x6E, "Num ."},
    {0x6F, "Num /"},
};

// "F1", "A", "Num 5", "Page Up"; empty for a code without a common name.
std::string KeyNameOf(int32_t code) {
  if (code >= 0x70 && code <= 0x87) return "F" + std::to_string(code - 0x70 + 1);
  if ((code >= 0x30 && code <= 0x39) || (code >= 0x41 && code <= 0x5A)) {
    return std::string(1, static_cast<char>(code));
  }
  if (code >= 0x60 && code <= 0x69) return "Num " + std::to_string(code - 0x60);
  for (const KeyName& key : kKeyNames) {
    if (key.code == code) return key.name;
  }
  return "";
}

constexpr uint32_t kRunsProfileBit = 0x20;

// "Ctrl+F1": what the player presses; with `numbers`, "Ctrl+F1 (key 112 with modifiers 1)".
std::string Chord(uint32_t word, bool numbers) {
  const int32_t key = static_cast<int32_t>(word & 0xFFFF);
  const uint32_t modifiers = (word >> 16) & 0xFFF & ~kRunsProfileBit;
  std::string chord;
  if (modifiers & 1) chord += "Ctrl+";
  if (modifiers & 2) chord += "Shift+";
  if (modifiers & 4) chord += "Alt+";
  const std::string name = KeyNameOf(key);
  chord += name.empty() ? "key " + std::to_string(key) : name;
  if (!numbers) return chord;
  return chord + " (key " + std::to_string(key) + " with modifiers " + std::to_string(modifiers) +
         ")";
}

bool Releases(uint32_t word) { return (word >> 28) != 0; }

// Commands whose key requests reach the game together, in the order they run.
using Run = std::vector<const Command*>;

std::vector<Run> RunsOf(const Profile& profile) {
  Run load;
  Run activate;
  Run deactivate;
  for (const Command& command : profile.commands) {
    if (command.phase == CommandPhase::OnLoad) load.push_back(&command);
    if (command.phase == CommandPhase::OnActivate) activate.push_back(&command);
    if (command.phase == CommandPhase::OnDeactivate) deactivate.push_back(&command);
  }
  // After a load, the default profile's "!" commands run and then, becoming current, its
  // activation commands: before the frame that applies the requests. Elsewhere "!" never runs.
  if (profile.type == ProfileType::Default) {
    load.insert(load.end(), activate.begin(), activate.end());
    return {load, deactivate};
  }
  return {activate, deactivate};
}

void ConflictsIn(LintContext& context, const Run& run) {
  // The live binding of each key and edge, by the command that made it.
  std::map<std::pair<int32_t, bool>, const Command*> live;
  for (const Command* command : run) {
    const uint32_t word = static_cast<uint32_t>(command->keyWord);
    const std::pair<int32_t, bool> keyEdge{static_cast<int32_t>(word & 0xFFFF), Releases(word)};
    if (command->id == CommandId::UnBindKey) {
      live.erase(keyEdge);
      continue;
    }
    if (command->id != CommandId::BindKey && command->id != CommandId::BindKey2) continue;
    // No request without a key word; none is applied without its profile; key 0 is never read.
    if (word == 0 || keyEdge.first == 0 || !command->operand.isSet ||
        FindProfile(context.session, command->operand.Text()) == nullptr) {
      continue;
    }
    const auto found = live.find(keyEdge);
    if (found != live.end()) {
      const Command& earlier = *found->second;
      const uint32_t earlierWord = static_cast<uint32_t>(earlier.keyWord);
      const bool sameChord = ((earlierWord ^ word) & ~(kRunsProfileBit << 16)) == 0;
      const std::string dead = Chord(earlierWord, true);
      const CommandSpans spans = context.source.CommandAt(command->line);
      const std::string_view span(spans.key.data(),
                                  spans.modifier.data() + spans.modifier.size() - spans.key.data());
      const std::string edge = keyEdge.second ? "releasing" : "pressing";
      Finding finding = context.source.At(
          "conflicting-key", Severity::Warning,
          (sameChord ? dead + " is bound again: this binding replaces the one at line " +
                           std::to_string(earlier.line)
                     : edge + " " + dead + " does nothing any more: this binding of " +
                           Chord(word, false) + " replaces the one at line " +
                           std::to_string(earlier.line) + ", as a binding replaces every " +
                           "earlier one of its key and edge whatever the modifiers"),
          command->line, span);
      finding.related.push_back(context.source.Related(
          earlier.line, context.source.CommandAt(earlier.line).key, "the binding replaced"));
      context.findings.push_back(std::move(finding));
    }
    live[keyEdge] = command;
  }
}

}  // namespace

void KeyFindings(LintContext& context) {
  for (const Profile& profile : context.session.profiles) {
    for (const Run& run : RunsOf(profile)) ConflictsIn(context, run);
  }
}
