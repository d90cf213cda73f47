// Rule load: every console line of the configuration-error channel ("Vantrel(N): ..."), placed
// at the part of line N it is about, with the name probably meant where one is close.
#include <cstdlib>
#include <optional>
#include <string>

#include "base/text.h"
#include "host_test_names.h"
#include "lint_fixes.h"
#include "lint_reading.h"
#include "lint_rules.h"
#include "profiles/command_table.h"
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
  for (const CommandTableEntry* row : CommandListing()) names.push_back(row->name);
  names.push_back("skip");
  return names;
}

// The line number and message of "Vantrel(N): message", as the console shows it.
bool ReadErrorLine(const std::string& queued, int32_t& line, std::string& message) {
  const std::string prefix = "Vantrel(";
  if (queued.compare(0, prefix.size(), prefix) != 0) return false;
  char* end = nullptr;
  line = static_cast<int32_t>(std::strtol(queued.c_str() + prefix.size(), &end, 10));
  if (end == queued.c_str() + prefix.size() || std::string_view(end).substr(0, 3) != "): ") {
    return false;
  }
  // Queued lines double every "%" for the console's format.
  message.clear();
  for (const char* p = end + 3; *p != '\0'; ++p) {
    message += *p;
    if (*p == '%' && p[1] == '%') ++p;
  }
  return true;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The header's text after its bracket, up to the last closing bracket when there is one.
std::string_view HeaderName(std::string_view text) {
  if (text.empty()) return text;
  const char closing = text.front() == '[' ? ']' : '}';
  const std::string_view name = text.substr(1);
  const size_t close = name.rfind(closing);
  return close == std::string_view::npos ? name : name.substr(0, close);
}

// "Return fFOV 2" means ReturnTween, "Reset fFOV 2" ResetTween: probably, so a suggestion.
void AddTweenSuggestion(LintContext& context, Finding& finding, const CommandSpans& spans) {
  const std::string_view rest = spans.head.rest;
  const size_t blank = rest.find_first_of(" \t");
  if (blank == std::string_view::npos) return;
  const char* tween = EqualIgnoringCase(spans.head.name, "Return") ? "ReturnTween"
                      : EqualIgnoringCase(spans.head.name, "Reset") ? "ResetTween"
                                                                    : nullptr;
  if (tween == nullptr) return;
  const std::string changed = std::string(spans.head.prefix) + tween + " " + std::string(rest);
  if (!context.source.CommandParsesCleanly(changed)) return;
  finding.fixes.push_back(ReplaceFix(context.source, spans.head.name, tween, false,
                                     "use " + std::string(tween) + " for a length in seconds"));
}

void PlaceCommandError(LintContext& context, Finding& finding, const std::string& message,
                       int32_t line) {
  LintSource& source = context.source;
  const CommandSpans spans = source.CommandAt(line);
  std::string_view span = source.Text(line);
  if (StartsWith(message, "Unknown command '")) {
    span = spans.head.name;
  } else if (StartsWith(message, "Unknown value '")) {
    span = spans.value;
  } else if (message == "Unspecified tween length!") {
    span = spans.seconds;
  } else if (message == "Invalid syntax for command! Key is expected as integer value.") {
    span = spans.key;
  } else if (message == "Invalid syntax for command! Key modifier is expected as integer value.") {
    span = spans.modifier;
  } else if (StartsWith(message, "Invalid syntax for command! ")) {
    span = spans.head.rest.empty() ? spans.head.name : spans.head.rest;
  }
  finding = source.At("load", Severity::Error, message, line, span);

  if (const std::optional<Fix> moved = TrailingCommentFix(source, line)) {
    finding.fixes.push_back(*moved);
  } else if (StartsWith(message, "Unknown command '")) {
    AddNameFix(source, finding, span, CommandNames());
  } else if (StartsWith(message, "Unknown value '")) {
    // "Return fFOV 2": a value name and more, not a misspelling.
    if (span.find_first_of(" \t") == std::string_view::npos) {
      AddNameFix(source, finding, span, ValueNames(false));
    }
    AddTweenSuggestion(context, finding, spans);
  } else if (message == "Unspecified tween length!") {
    const Unreadable unreadable = WhyUnreadable(ValueType::Float, span);
    if (!unreadable.replacement.empty()) {
      finding.fixes.push_back(ReplaceFix(source, span, unreadable.replacement, unreadable.certain,
                                         "write '" + unreadable.replacement + "'"));
    }
  } else if (message == "Invalid syntax for command!" && !spans.head.prefix.empty() &&
             spans.head.name.empty()) {
    // "+ Set fFOV 90": the name must follow the prefix directly.
    const std::string_view text = source.Text(line);
    const std::string joined = std::string(spans.head.prefix) + std::string(TrimLeft(text.substr(1)));
    if (source.CommandParsesCleanly(joined)) {
      finding.fixes.push_back(ReplaceFix(source, text, joined, true,
                                         "write the command name right after the prefix"));
    }
  }
}

// "[Combat" and "(bWeaponOut" lack their closing bracket; "( bWeaponOut)" has a blank first.
std::optional<Fix> BracketFix(LintContext& context, int32_t line, const std::string& message) {
  LintSource& source = context.source;
  const std::string_view text = source.Text(line);
  if (message == "Invalid name!") {
    const char closing = text.front() == '[' ? ']' : '}';
    return ReplaceFix(source, text.substr(text.size()), std::string(1, closing), true,
                      std::string("close the header with '") + closing + "'");
  }
  if (message == "Invalid syntax for condition! Ignoring line." &&
      source.ConditionParsesCleanly(text.substr(1))) {
    return ReplaceFix(source, text.substr(text.size()), ")", true, "close the condition with ')'");
  }
  if (message == "Invalid syntax for condition!") {
    const std::string_view inner = source.ConditionText(line);
    const std::string_view trimmed = TrimLeft(inner);
    if (trimmed.size() != inner.size() && source.ConditionParsesCleanly(trimmed)) {
      return ReplaceFix(source, inner.substr(0, inner.size() - trimmed.size()), "", true,
                        "drop the blank before the name");
    }
  }
  return std::nullopt;
}

Finding PlacedError(LintContext& context, int32_t line, const std::string& message) {
  LintSource& source = context.source;
  Finding finding;
  switch (source.Kind(line)) {
    case LineKind::Header:
      finding = source.At("load", Severity::Error, message, line, HeaderName(source.Text(line)));
      break;
    case LineKind::Condition:
      if (StartsWith(message, "Unknown value '")) {
        const std::string_view name = source.ConditionAt(line).name;
        finding = source.At("load", Severity::Error, message, line, name);
        AddNameFix(source, finding, name, ValueNames(true));
      } else {
        finding = source.At("load", Severity::Error, message, line, source.Text(line));
      }
      break;
    case LineKind::Command:
      PlaceCommandError(context, finding, message, line);
      break;
    default:
      finding = source.At("load", Severity::Error, message, line, {});
  }
  if (std::optional<Fix> fix = BracketFix(context, line, message)) {
    finding.fixes.push_back(std::move(*fix));
  }
  return finding;
}

}  // namespace

void LoadFindings(LintContext& context) {
  int32_t line = 0;
  std::string message;
  for (const std::string& queued : context.session.messageQueue) {
    if (!ReadErrorLine(queued, line, message)) continue;
    context.findings.push_back(PlacedError(context, line, message));
  }
}
