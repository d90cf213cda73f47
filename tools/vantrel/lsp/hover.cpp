// Hover: what the part under the mouse means to the game.
#include <string>

#include "base/text.h"
#include "config/literals.h"
#include "help_entries.h"
#include "lint_lines.h"
#include "lint_reading.h"
#include "lint_rule_table.h"
#include "lsp/features.h"
#include "lsp/key_names.h"
#include "lsp/profile_words.h"

namespace {

std::string_view TextOf(const OpenDocument& document, size_t begin, size_t end) {
  return std::string_view(document.text.Text()).substr(begin, end - begin);
}

std::string_view PartText(const OpenDocument& document, const Part& part) {
  return TextOf(document, part.begin, part.end);
}

std::string Code(std::string_view text) { return "`` " + std::string(text) + " ``"; }

std::string HelpBlock(std::string_view name) { return "```text\n" + HelpEntry(name) + "```"; }

std::string LiteralHover(std::string_view text, ValueType type) {
  const ValueData data = ParseValueText(type, text);
  if (!data.isSet) {
    const Unreadable why = WhyUnreadable(type, text);
    std::string hover = DoesNotRead(text, type) + ": " + why.reason +
                        ". The game leaves it unset: a condition with it never holds, and a "
                        "command with it sets nothing.";
    if (!why.replacement.empty()) hover += " Probably meant: " + Code(why.replacement) + ".";
    return hover;
  }
  switch (type) {
    case ValueType::Bool:
      return Code(text) + " reads as **" + (data.AsBool() ? "true" : "false") + "**.";
    case ValueType::Int:
      return Code(text) + " reads as the whole number **" + std::to_string(data.AsInt()) + "**.";
    case ValueType::Float: {
      char number[48];
      std::snprintf(number, sizeof number, "%g", static_cast<double>(data.AsFloat()));
      return Code(text) + " reads as the number **" + number + "**.";
    }
    default:
      return "The text " + Code(text) +
             ", exactly as written: blanks and double quote characters are part of it.";
  }
}

// The key's name, its edge, and for BindKey its modifiers (the line's next part).
std::string KeyHover(const OpenDocument& document, const Part& part) {
  const ValueData key = ParseValueText(ValueType::Int, PartText(document, part));
  if (!key.isSet)
    return Code(PartText(document, part)) + " is no whole number: the command is refused.";
  const int32_t code = key.AsInt() < 0 ? -key.AsInt() : key.AsInt();
  std::string hover =
      "**" + KeyName(code & 0xFFFF) + "** (virtual-key code " + std::to_string(code & 0xFFFF) +
      "), " + (key.AsInt() < 0 ? "acting when it is released" : "acting when it is pressed");
  const Part* next = &part + 1;
  const auto& parts = document.analysis->parts;
  if (next < parts.data() + parts.size() && next->gameLine == part.gameLine &&
      next->kind == PartKind::Modifiers) {
    const ValueData modifiers = ParseValueText(ValueType::Int, PartText(document, *next));
    if (modifiers.isSet) hover += ", with " + ModifierNames(modifiers.AsInt());
  }
  return hover + ".";
}

std::string ModifiersHover(const OpenDocument& document, const Part& part) {
  const ValueData modifiers = ParseValueText(ValueType::Int, PartText(document, part));
  if (!modifiers.isSet) {
    return Code(PartText(document, part)) + " is no whole number: the command is refused.";
  }
  return "**" + ModifierNames(modifiers.AsInt()) +
         "** must be held with the key (1 Ctrl, 2 Shift, 4 Alt, added up; other keys may be "
         "held as well).";
}

// The lint rules' documentation for the findings that cover `offset`.
std::string RuleNotes(const OpenDocument& document, size_t offset) {
  const EditorLines lines(document.text.Text());
  std::string notes;
  for (const Finding& finding : document.analysis->findings) {
    size_t begin = 0, end = 0;
    FindingRange(lines, finding, begin, end);
    const LintRule* rule = FindLintRule(finding.rule);
    if (rule == nullptr || offset < begin || offset > end) continue;
    notes += "\n\n---\n**" + std::string(rule->id) + "**: " + rule->summary + " " + rule->why;
  }
  return notes;
}

}  // namespace

Json HoverAt(const OpenDocument& document, size_t offset, PositionEncoding encoding) {
  const Part* part = document.analysis->PartAt(offset);
  if (part == nullptr) return nullptr;
  const std::string_view text = PartText(document, *part);
  std::string hover;
  switch (part->kind) {
    case PartKind::ValueName:
    case PartKind::CommandName:
      hover = HelpBlock(text);
      break;
    case PartKind::HostTest:
      hover = Code(text) + " asks the game about the followed character: Faction and Perk " +
              "take a form id, the keyword tests a keyword's name.";
      break;
    case PartKind::Keyword:
      hover = EqualIgnoringCase(text, "skip")
                  ? "**skip**: the profile is kept, but the profile updates never choose it."
                  : "**disable**: the game leaves this profile out of the file.";
      break;
    case PartKind::ProfileName:
    case PartKind::ProfileReference:
      hover = ProfileHover(document, *part);
      break;
    case PartKind::Key:
      hover = KeyHover(document, *part);
      break;
    case PartKind::Modifiers:
      hover = ModifiersHover(document, *part);
      break;
    case PartKind::Literal:
      hover = LiteralHover(text, part->literalType);
      break;
  }
  hover += RuleNotes(document, offset);
  return {{"contents", Markdown(hover)},
          {"range", RangeJson(document.text, part->begin, part->end, encoding)}};
}
