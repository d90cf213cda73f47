// vantrel help: the grouped list, one entry, and the reference section of the user documentation.
#include "help.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "commands.h"
#include "help_entries.h"
#include "lint_reading.h"
#include "lint_rule_table.h"
#include "name_suggestion.h"
#include "profiles/command_table.h"
#include "scenario_directives.h"
#include "values/value_table.h"

namespace {

constexpr size_t kListColumn = 30;

// "name   first sentence of the description", wrapped under the description's column.
// "name   first sentence of the description", wrapped under the description's column.
void PrintListLine(const std::string& name, std::string_view text) {
  const std::vector<std::string> lines = Wrap(FirstSentence(text), kHelpWidth - kListColumn);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string left = i == 0 ? "  " + name : "";
    std::printf("%-*s%s\n", static_cast<int>(kListColumn), left.c_str(), lines[i].c_str());
  }
}

// The groups in the order of their first row.
template <typename Rows, typename GroupOf>
std::vector<std::string> GroupsOf(const Rows& rows, GroupOf groupOf) {
  std::vector<std::string> groups;
  for (const auto& row : rows) {
    if (std::find(groups.begin(), groups.end(), groupOf(row)) == groups.end()) {
      groups.push_back(groupOf(row));
    }
  }
  return groups;
}

// The command rows as the reference lists them.
std::vector<CommandTableEntry> Commands() {
  std::vector<CommandTableEntry> rows;
  for (const CommandTableEntry* row : CommandListing()) rows.push_back(*row);
  return rows;
}

const char* ValueGroup(const ValueTableRow& row) { return row.help.group; }
const char* CommandGroup(const CommandTableEntry& row) { return row.help.group; }

void PrintList() {
  PrintUsage(stdout);
  std::printf("\nValues (vantrel help NAME prints one entry):\n");
  for (const std::string& group : GroupsOf(kValueTable, ValueGroup)) {
    std::printf("\n%s\n", group.c_str());
    for (const ValueTableRow& row : kValueTable) {
      if (group == row.help.group) PrintListLine(row.name, row.help.text);
    }
  }
  const std::vector<CommandTableEntry> commands = Commands();
  std::printf("\nCommands:\n");
  for (const std::string& group : GroupsOf(commands, CommandGroup)) {
    std::printf("\n%s\n", group.c_str());
    for (const CommandTableEntry& row : commands) {
      if (group == row.help.group) PrintListLine(row.name, row.help.text);
    }
  }
  std::printf("\nRules of vantrel lint:\n\n");
  for (const LintRule& rule : LintRules()) PrintListLine(rule.id, rule.summary);
}

// The three names closest to `wanted`: names that contain it first, then by edit distance.
std::vector<std::string> NearestNames(const std::string& wanted) {
  const std::string key = Lower(wanted);
  std::vector<std::pair<size_t, std::string>> ranked;
  auto rank = [&](const char* name) {
    const std::string lower = Lower(name);
    const size_t score =
        lower.find(key) != std::string::npos ? 0 : 1 + EditDistanceIgnoringCase(key, lower);
    ranked.emplace_back(score, name);
  };
  for (const ValueTableRow& row : kValueTable) rank(row.name);
  for (const CommandTableEntry& row : Commands()) rank(row.name);
  for (const LintRule& rule : LintRules()) rank(rule.id);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (size_t i = 0; i < ranked.size() && i < 3; ++i) names.push_back(ranked[i].second);
  return names;
}

int PrintEntry(const std::string& name) {
  const std::string entry = HelpEntry(name);
  if (!entry.empty()) return std::fputs(entry.c_str(), stdout), 0;
  std::string nearest;
  for (const std::string& candidate : NearestNames(name)) {
    nearest += (nearest.empty() ? "" : ", ") + candidate;
  }
  std::fprintf(stderr, "vantrel: no value, command or rule '%s'; nearest: %s\n", name.c_str(),
               nearest.c_str());
  return 1;
}

// --- The reference section of docs/configuration.md ---

constexpr const char* kMarkdownValues = R"(### Values

Every value has a type, given by the first letter of its name: `b` true or false (written
`true`, `yes`, `1` or `false`, `no`, `0`), `i` a whole number (decimal, `0x` hexadecimal, or
octal with a leading `0`), `f` a number in decimal notation (`72.5`, `1e2`), `s` text. Names
ignore case.

**Game state** values are facts the plug-in reads from the game. Each is written at every
profile update while some condition names it, and is unset before the first such update, when
a condition on it fails; commands cannot change it. Facts about the followed character read
false, 0 or empty while the camera follows something that is not a character; the hand values
keep their last result then.

**Settings** are changed by commands and read by the plug-in. "Before any command" says what a
setting holds until a command sets it; while it is unset, the plug-in uses the number given
there. Reset and Clear return a setting to its base: the game's own value, as first read, for
the settings that mirror one; for the others, the load-time default, the value a `!` command of
the default profile gave it.
)";

constexpr const char* kMarkdownCommands = R"(### Commands

A command line is an optional prefix, the command's name and its arguments; the prefix is the
line's first character, with the name right after it. Names of commands and values ignore case.

| Prefix | When the command runs |
|---|---|
| none or `+` | when its profile becomes active: current, for an exclusive or the default profile; activated, for a parallel one; and first when RunProfile or a BindKey2 key runs the profile |
| `-` | when its profile stops being active; and second when RunProfile or a BindKey2 key runs the profile |
| `!` | once after every load, in the default profile only (elsewhere never); a setting it sets also gets that value as its load-time default, unless the setting mirrors a game value |

Two words are profile keywords, not commands: a line `skip` keeps the profile but the profile
updates never choose it, and a line `disable` leaves the profile out of the file.
)";

constexpr const char* kMarkdownRules = R"(### Rules of `vantrel lint`

Each finding names its rule; `vantrel help RULE` prints the entry below. A comment line
`; vantrel: ignore RULE[,RULE]` silences those rules on the next line that is neither blank nor
a comment, `; vantrel: ignore-file RULE[,RULE]` among the file's first comment lines silences
them in the whole file, and `--disable RULE[,RULE]` leaves them out of a run.
)";

void PrintMarkdown() {
  std::printf(
      "## Reference: values and commands\n\n"
      "<!-- Written by `vantrel help --markdown` from src/values/value_table.cpp,\n"
      "     src/profiles/command_table.cpp and tools/vantrel/lint_rule_table.cpp: change those,\n"
      "     then write this section again. -->\n\n"
      "%s",
      kMarkdownValues);
  for (const std::string& group : GroupsOf(kValueTable, ValueGroup)) {
    const bool settings = group.rfind("Settings", 0) == 0;
    std::printf("\n#### %s\n\n", group.c_str());
    std::printf(settings
                    ? "| Setting | Type | Before any command | What it does |\n|---|---|---|---|\n"
                    : "| Value | Type | What it holds |\n|---|---|---|\n");
    for (const ValueTableRow& row : kValueTable) {
      if (group != row.help.group) continue;
      std::printf("| `%s` | %s |", row.name, TypeWords(TypeFromName(row.name)));
      if (settings) std::printf(" %s |", row.help.initially);
      std::printf(" %s |\n", row.help.text);
    }
  }
  std::printf("\n%s", kMarkdownCommands);
  const std::vector<CommandTableEntry> commands = Commands();
  for (const std::string& group : GroupsOf(commands, CommandGroup)) {
    std::printf("\n#### %s\n\n| Command | What it does |\n|---|---|\n", group.c_str());
    for (const CommandTableEntry& row : commands) {
      if (group == row.help.group) {
        std::printf("| `%s` | %s |\n", CommandSyntax(row).c_str(), row.help.text);
      }
    }
  }
  std::printf("\n%s", kMarkdownRules);
  for (const LintRule& rule : LintRules()) {
    std::printf("\n#### `%s` (%s)\n\n%s %s\n\n```\n%s\n```\n\nWritten instead:\n\n```\n%s\n```\n",
                rule.id, SeverityName(rule.severity), rule.summary, rule.why, rule.example,
                rule.instead);
  }
}

}  // namespace

void PrintUsage(std::FILE* out) {
  std::fprintf(
      out,
      "usage: vantrel check [FILE]\n"
      "       vantrel lint [--format text|gcc|json|sarif] [--strict] [--disable RULE,...]\n"
      "                    [--fix [--diff]] [--color auto|always|never] [FILE... | -]\n"
      "       vantrel simulate [--trace NAME,...] [--trace-out FILE]\n"
      "                        [--explain SECONDS | --plot FILE.svg] CONFIG SCENARIO\n"
      "       vantrel help [NAME | --markdown | scenario [--markdown]]\n"
      "       vantrel lsp\n"
      "\n"
      "check     prints the console lines the game shows at start-up for FILE, by default\n"
      "          %s in the current folder; exits 1 when one\n"
      "          reports an error\n"
      "lint      reports the lines the game refuses as errors and likely mistakes as\n"
      "          warnings, at their line and column; --fix applies the certain fixes; exits 1\n"
      "          on an error (with --strict, on a warning too); vantrel lint --help says more\n"
      "simulate  plays SCENARIO against a simulated game started with CONFIG; --trace prints\n"
      "          the named values and trace names (vantrel help scenario) as CSV whenever one\n"
      "          changes, into FILE with --trace-out; exits 1 when an expectation fails.\n"
      "          --explain tells at SECONDS why each profile is or is not current or active\n"
      "          and why the camera is or is not on; --plot draws the run (the --trace names,\n"
      "          the current and parallel profiles, the scenario's events) into an SVG file\n"
      "help      lists every value, command and lint rule, prints the entry of NAME, or\n"
      "          writes the reference section of docs/configuration.md; help scenario lists the\n"
      "          scenario directives (with --markdown, their tables in README.md and the\n"
      "          documentation)\n"
      "lsp       serves an editor on standard input and output (Language Server Protocol):\n"
      "          errors and warnings as you type, help on hover, completion, quick fixes\n",
      kGameConfigurationPath);
}

int RunHelp(const std::vector<std::string>& args) {
  if (args.empty()) return PrintList(), 0;
  if (args.size() == 1 && args[0] == "--markdown") return PrintMarkdown(), 0;
  if (args.size() == 1 && args[0] == "scenario") return PrintScenarioHelp(false), 0;
  if (args.size() == 2 && args[0] == "scenario" && args[1] == "--markdown") {
    return PrintScenarioHelp(true), 0;
  }
  if (args.size() == 1 && args[0].rfind("--", 0) != 0) return PrintEntry(args[0]);
  PrintUsage(stderr);
  return 2;
}
