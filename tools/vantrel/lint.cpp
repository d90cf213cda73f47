// vantrel lint FILE: the load errors `check` prints, as findings with suggestions, and the
// warnings of the profile rules.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plugin/plugin.h"
#include "commands.h"
#include "config/loader.h"
#include "base/text.h"
#include "finding.h"
#include "host_test_names.h"
#include "lint_rules.h"
#include "name_suggestion.h"
#include "plugin_session.h"
#include "profiles/commands.h"
#include "values/value_table.h"

namespace {

std::vector<std::string> ValueNames(bool withHostTests) {
  std::vector<std::string> names;
  for (const ValueTableRow& row : kValueTable) names.push_back(row.name);
  if (withHostTests) {
    for (const std::string& name : HostTestNames()) names.push_back(name);
  }
  return names;
}

std::vector<std::string> CommandNames() {
  std::vector<std::string> names;
  for (const CommandTableEntry* row = kCommandTable; row->name != nullptr; ++row) {
    names.push_back(row->name);
  }
  names.push_back("skip");
  return names;
}

// The file's lines as the loader numbers them, to tell condition lines from command lines.
std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string text = bytes.str();
  std::vector<std::string> lines;
  LineReader reader(text);
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

bool IsConditionLine(const std::vector<std::string>& lines, int32_t line) {
  if (line < 1 || static_cast<size_t>(line) > lines.size()) return false;
  const std::string_view text = Trim(lines[static_cast<size_t>(line) - 1]);
  return !text.empty() && text.front() == '(';
}

// The quoted name of an "Unknown value 'X'!" or "Unknown command 'X'!" message.
bool UnknownName(const std::string& message, const std::string& kind, std::string& name) {
  const std::string prefix = "Unknown " + kind + " '";
  if (message.rfind(prefix, 0) != 0 || message.size() < prefix.size() + 2 ||
      message.compare(message.size() - 2, 2, "'!") != 0) {
    return false;
  }
  name = message.substr(prefix.size(), message.size() - prefix.size() - 2);
  return true;
}

// A console line "Vantrel(N): message" as an error finding at line N.
Finding LoadFinding(const std::string& consoleLine, const std::vector<std::string>& lines) {
  Finding finding;
  finding.severity = Severity::Error;
  finding.rule = "load";
  const size_t open = consoleLine.find('(');
  const size_t close = consoleLine.find("): ");
  finding.line = static_cast<int32_t>(std::strtol(consoleLine.c_str() + open + 1, nullptr, 10));
  finding.message = consoleLine.substr(close + 3);
  std::string name;
  if (UnknownName(finding.message, "value", name)) {
    finding.suggestion = ClosestName(name, ValueNames(IsConditionLine(lines, finding.line)));
  } else if (UnknownName(finding.message, "command", name)) {
    finding.suggestion = ClosestName(name, CommandNames());
  }
  return finding;
}

}  // namespace

int RunLint(const std::string& configPath, FindingFormat format, bool strict) {
  StartPlugin(configPath);
  // The rules read the records as loaded, before a frame's evaluation resolves keyword names.
  std::vector<Finding> findings = ProfileFindings();
  // As for `check`: the game shows the queued lines at its first frame.
  Plugin::Instance().RunFrame();
  const std::vector<std::string> lines = FileLines(configPath);
  for (const std::string& line : TakeConsoleLines()) {
    if (IsConfigurationError(line)) findings.push_back(LoadFinding(line, lines));
  }
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) {
                     // On one line, errors before warnings.
                     return a.line != b.line ? a.line < b.line : a.severity < b.severity;
                   });

  std::fputs(FormatFindings(findings, configPath, format).c_str(), stdout);
  bool failed = false;
  for (const Finding& finding : findings) {
    failed = failed || finding.severity == Severity::Error || strict;
  }
  return failed ? 1 : 0;
}
