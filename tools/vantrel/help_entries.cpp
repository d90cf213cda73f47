// The reference's words: the entry of a value, command or lint rule.

#include "help_entries.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"
#include "lint_reading.h"
#include "lint_rule_table.h"
#include "values/value_table.h"

namespace {

constexpr const char* kGameStateNote =
    "Written by the plug-in at every profile update while some condition names it, and unset "
    "before the first such update, when a condition on it fails; commands cannot change it. "
    "Facts about the followed character read false, 0 or empty while the camera follows "
    "something that is not a character; the hand values keep their last result then.";
constexpr const char* kGameBaseNote =
    "Reset and Clear return it to the game's own value, as first read.";
constexpr const char* kLoadDefaultNote =
    "Reset and Clear return it to its load-time default, the value a ! command of the default "
    "profile gave it; without one, Reset does nothing and Clear leaves it unset.";
constexpr const char* kPrefixNote =
    "Prefix: none or + runs it when its profile becomes active, - when the profile stops being "
    "active, ! once after every load, in the default profile only. The prefix is the line's "
    "first character, with the command name right after it.";

std::string Indented(std::string_view text, size_t indent) {
  std::string lines;
  for (const std::string& line : Wrap(text, kHelpWidth - indent)) {
    lines += std::string(indent, ' ') + line + "\n";
  }
  return lines;
}

std::string ValueEntry(const ValueTableRow& row) {
  const bool setting = row.kind == ValueKind::Setting;
  std::string entry = std::string(row.name) + "  (" + (setting ? "setting" : "game state") + ", " +
                      TypeWords(TypeFromName(row.name)) + ")\n";
  entry += Indented(row.help.group, 2);
  if (setting) entry += Indented(std::string("Before any command: ") + row.help.initially + ".", 2);
  entry += Indented(row.help.text, 2);
  const char* note = row.readBack ? kGameBaseNote : kLoadDefaultNote;
  return entry + Indented(setting ? note : kGameStateNote, 2);
}

std::string CommandEntry(const CommandTableEntry& row) {
  return CommandSyntax(row) + "  (command)\n" + Indented(row.help.group, 2) +
         Indented(row.help.text, 2) + Indented(kPrefixNote, 2);
}

// The lines of a text that separates them with "\n".
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at <= text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

std::string Example(const char* title, const char* lines) {
  std::string example = std::string("  ") + title + "\n";
  for (const std::string_view line : Lines(lines)) example += "    " + std::string(line) + "\n";
  return example;
}

std::string RuleEntry(const LintRule& rule) {
  return std::string(rule.id) + "  (lint rule, " + SeverityName(rule.severity) + ")\n" +
         Indented(rule.summary, 2) + Indented(rule.why, 2) + Example("For example:", rule.example) +
         Example("Written instead:", rule.instead) +
         Indented(std::string("To keep a deliberate case, write '; vantrel: ignore ") + rule.id +
                      "' on the line before it, or leave the rule out with --disable " + rule.id +
                      ".",
                  2);
}

}  // namespace

const ValueTableRow* ValueRowNamed(std::string_view name) {
  for (const ValueTableRow& row : kValueTable) {
    if (EqualIgnoringCase(name, row.name)) return &row;
  }
  return nullptr;
}

const CommandTableEntry* CommandRowNamed(std::string_view name) {
  for (const CommandTableEntry& row : CommandTable()) {
    if (EqualIgnoringCase(name, row.name)) return &row;
  }
  return nullptr;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string CommandSyntax(const CommandTableEntry& row) {
  std::string syntax = row.name;
  if (*row.help.arguments != '\0') syntax += std::string(" ") + row.help.arguments;
  return syntax;
}

std::vector<std::string> Wrap(std::string_view text, size_t width) {
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at < text.size()) {
    const size_t blank = std::min(text.find(' ', at), text.size());
    const std::string_view word = text.substr(at, blank - at);
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + std::string(word);
    at = blank + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string_view FirstSentence(std::string_view text) {
  const size_t end = text.find(". ");
  return end == std::string_view::npos ? text : text.substr(0, end + 1);
}

std::string HelpEntry(std::string_view name) {
  if (const ValueTableRow* row = ValueRowNamed(name)) return ValueEntry(*row);
  if (const CommandTableEntry* row = CommandRowNamed(name)) return CommandEntry(*row);
  const std::string key = Lower(name);
  for (const LintRule& rule : LintRules()) {
    if (Lower(rule.id) == key) return RuleEntry(rule);
  }
  return "";
}

std::string HelpSummary(std::string_view name) {
  if (const ValueTableRow* row = ValueRowNamed(name)) {
    return std::string(FirstSentence(row->help.text));
  }
  if (const CommandTableEntry* row = CommandRowNamed(name)) {
    return std::string(FirstSentence(row->help.text));
  }
  return "";
}
