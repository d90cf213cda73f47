// The fixes the lint rules offer.

#include "lint_fixes.h"

#include <algorithm>

#include "base/text.h"
#include "name_suggestion.h"
#include "profiles/command_table.h"
#include "profiles/driver.h"

namespace {

// Where a would-be comment starts in a command line: a ";" or "#" after a blank, past the
// command's name; npos when there is none.
size_t TrailingCommentStart(std::string_view text) {
  for (size_t i = 1; i < text.size(); ++i) {
    if ((text[i] == ';' || text[i] == '#') && IsBlank(text[i - 1])) return i;
  }
  return std::string_view::npos;
}

bool TakesValue(CommandId id) {
  return id == CommandId::Set || id == CommandId::Modify || id == CommandId::SetTween ||
         id == CommandId::ModifyTween;
}

}  // namespace

Fix ReplaceFix(const LintSource& source, std::string_view span, std::string newText,
               bool certain, std::string title) {
  Fix fix;
  fix.title = std::move(title);
  fix.certain = certain;
  fix.edits.push_back(source.Replace(span, std::move(newText)));
  return fix;
}

std::optional<Fix> TrailingCommentFix(LintSource& source, int32_t gameLine) {
  const std::string_view text = source.Text(gameLine);
  const size_t start = TrailingCommentStart(text);
  if (start == std::string_view::npos) return std::nullopt;
  const std::string_view command = Trim(text.substr(0, start));
  Command parsed;
  if (!source.CommandParsesCleanly(command, &parsed)) return std::nullopt;
  if (TakesValue(parsed.id) && !parsed.operand.isSet) return std::nullopt;
  const std::string_view comment = text.substr(start);
  Fix fix;
  fix.title = "move " + std::string(comment) + " to a line of its own above";
  // Without the comment an Inhibit without seconds lifts the inhibit, where the line as written
  // inhibits forever: which was meant is not clear.
  fix.certain = parsed.id != CommandId::Inhibit;
  fix.edits.push_back(source.InsertLineBefore(text, std::string(comment)));
  const std::string_view removed =
      text.substr(command.size(), text.size() - command.size());
  fix.edits.push_back(source.Replace(removed, ""));
  return fix;
}

void AddNameFix(const LintSource& source, Finding& finding, std::string_view span,
                const std::vector<std::string>& known) {
  const std::vector<std::string> nearest = NearestNames(span, known);
  if (nearest.empty()) return;
  finding.suggestion = nearest.front();
  // Clear only when one name is nearest and no more than a third of the letters differ.
  if (nearest.size() == 1 && 3 * EditDistanceIgnoringCase(span, nearest.front()) <= span.size()) {
    finding.fixes.push_back(ReplaceFix(source, span, nearest.front(), true,
                                       "replace '" + std::string(span) + "' with '" +
                                           nearest.front() + "'"));
  }
}

std::string_view ProfileNameWithBlanks(Session& session, std::string_view lineText,
                                       std::string_view name) {
  if (name.empty() || name.data() == lineText.data() || name.data()[-1] == '"') return {};
  const std::string_view words =
      lineText.substr(static_cast<size_t>(name.data() - lineText.data()));
  std::string_view found;
  size_t end = name.size();  // the words taken so far end here
  for (;;) {
    const size_t next = words.find_first_not_of(" \t", end);
    if (next == std::string_view::npos) break;
    end = std::min(words.find_first_of(" \t", next), words.size());
    const std::string_view candidate = words.substr(0, end);
    if (FindProfile(session, candidate) != nullptr) found = candidate;
  }
  return found;
}

Fix QuoteFix(const LintSource& source, std::string_view name) {
  return ReplaceFix(source, name, "\"" + std::string(name) + "\"", true,
                    "quote the name '" + std::string(name) + "'");
}
