// Lint's suppression comments.

#include "lint_suppression.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "base/text.h"
#include "lint_fixes.h"
#include "lint_rule_table.h"

namespace {

constexpr std::string_view kMarker = "vantrel:";

// Where "vantrel:" follows a ";" or "#" and blanks in `text`, the comment sign's position; npos
// when it does not.
size_t SuppressionStart(std::string_view text, size_t from) {
  for (size_t sign = text.find_first_of(";#", from); sign != std::string_view::npos;
       sign = text.find_first_of(";#", sign + 1)) {
    const std::string_view after = TrimLeft(text.substr(sign + 1));
    if (after.size() >= kMarker.size() && EqualIgnoringCase(after.substr(0, kMarker.size()), kMarker)) {
      return sign;
    }
  }
  return std::string_view::npos;
}

struct Directive {
  bool wholeFile = false;
  std::vector<std::string_view> rules;  // views of the comment, for placing unknown names
};

// "; vantrel: ignore a, b" on a comment line; nothing for another comment.
std::optional<Directive> ReadDirective(std::string_view comment) {
  std::string_view rest = TrimLeft(comment.substr(1));
  if (rest.size() < kMarker.size() || !EqualIgnoringCase(rest.substr(0, kMarker.size()), kMarker)) {
    return std::nullopt;
  }
  rest = TrimLeft(rest.substr(kMarker.size()));
  Directive directive;
  const size_t word = AlnumPrefixLength(rest);
  std::string_view verb = rest.substr(0, word);
  rest.remove_prefix(word);
  if (!rest.empty() && rest.front() == '-') {
    const size_t more = AlnumPrefixLength(rest.substr(1));
    verb = std::string_view(verb.data(), verb.size() + 1 + more);
    rest.remove_prefix(1 + more);
  }
  if (EqualIgnoringCase(verb, "ignore-file")) {
    directive.wholeFile = true;
  } else if (!EqualIgnoringCase(verb, "ignore")) {
    return Directive{};  // names no rules, so warned about as naming none
  }
  while (!rest.empty()) {
    const size_t comma = std::min(rest.find(','), rest.size());
    const std::string_view name = Trim(rest.substr(0, comma));
    if (!name.empty()) directive.rules.push_back(name);
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return directive;
}

std::vector<std::string> RuleIds() {
  std::vector<std::string> ids;
  for (const LintRule& rule : LintRules()) ids.push_back(rule.id);
  return ids;
}

// The editor line of the next line that is neither blank nor a comment, or 0.
int32_t NextConfigurationLine(const LintSource& source, int32_t gameLine) {
  for (int32_t next = gameLine + 1; next <= source.GameLines(); ++next) {
    const LineKind kind = source.Kind(next);
    if (kind == LineKind::Blank || kind == LineKind::Comment) continue;
    int32_t line = 0;
    int32_t column = 0;
    source.PositionOf(static_cast<size_t>(source.Piece(next).data() - source.Bytes().data()),
                      line, column);
    return line;
  }
  return 0;
}

void TrailingSuppression(LintSource& source, int32_t gameLine, size_t start,
                         std::vector<Finding>& findings) {
  const std::string_view text = source.Text(gameLine);
  const std::string_view comment = text.substr(start);
  Finding finding = source.At(
      "suppression", Severity::Warning,
      "a suppression comment must be a line of its own: after " +
          std::string(source.Kind(gameLine) == LineKind::Command
                          ? "a command it is part of the command, which it changes, "
                          : "a header or condition it is ignored, ") +
          "and it silences nothing",
      gameLine, comment);
  std::optional<Fix> fix;
  if (source.Kind(gameLine) == LineKind::Command) {
    fix = TrailingCommentFix(source, gameLine);
  } else {
    const std::string_view kept = Trim(text.substr(0, start));
    fix = Fix{"move the comment to a line of its own above", true,
              {source.InsertLineBefore(text, std::string(comment)),
               source.Replace(text.substr(kept.size()), "")}};
  }
  if (fix) finding.fixes.push_back(std::move(*fix));
  findings.push_back(std::move(finding));
}

}  // namespace

bool Suppressions::Silences(const Finding& finding) const {
  if (finding.rule == "suppression") return false;
  const auto named = [&](const std::vector<std::string>& rules) {
    return std::find(rules.begin(), rules.end(), finding.rule) != rules.end();
  };
  if (named(fileRules)) return true;
  const auto line = lineRules.find(finding.line);
  return line != lineRules.end() && named(line->second);
}

Suppressions ReadSuppressions(LintSource& source, std::vector<Finding>& findings) {
  Suppressions suppressions;
  const std::vector<std::string> ids = RuleIds();
  bool leading = true;  // still among the file's first comment lines
  for (int32_t line = 1; line <= source.GameLines(); ++line) {
    const LineKind kind = source.Kind(line);
    const std::string_view text = source.Text(line);
    if (kind != LineKind::Comment) {
      leading = leading && kind == LineKind::Blank;
      const size_t start = kind == LineKind::Blank ? std::string_view::npos
                                                   : SuppressionStart(text, 1);
      if (start != std::string_view::npos) TrailingSuppression(source, line, start, findings);
      continue;
    }
    const std::optional<Directive> directive = ReadDirective(text);
    if (!directive) continue;
    if (directive->rules.empty()) {
      findings.push_back(source.At("suppression", Severity::Warning,
                                   "this suppression comment names no rule: write '; vantrel: "
                                   "ignore RULE[,RULE]' or 'ignore-file RULE[,RULE]'",
                                   line, text));
      continue;
    }
    if (directive->wholeFile && !leading) {
      findings.push_back(source.At("suppression", Severity::Warning,
                                   "ignore-file works only among the file's first comment lines, "
                                   "before any header, condition or command",
                                   line, text));
      continue;
    }
    const int32_t target = directive->wholeFile ? 0 : NextConfigurationLine(source, line);
    for (const std::string_view name : directive->rules) {
      if (FindLintRule(name) == nullptr) {
        Finding finding = source.At("suppression", Severity::Warning,
                                    "'" + std::string(name) + "' is no rule of vantrel lint",
                                    line, name);
        AddNameFix(source, finding, name, ids);
        findings.push_back(std::move(finding));
        continue;
      }
      if (directive->wholeFile) {
        suppressions.fileRules.emplace_back(name);
      } else if (target > 0) {
        suppressions.lineRules[target].emplace_back(name);
      }
    }
  }
  return suppressions;
}
