// Completion from the text before the cursor: command names at a command line's start, value
// names where a condition or value command takes one, profile names where a command names a
// profile, and the literals of a true-or-false value.
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "help_entries.h"
#include "host_test_names.h"
#include "lsp/features.h"
#include "lsp/profile_words.h"
#include "profiles/command_table.h"
#include "values/value_table.h"

namespace {

// The protocol's completion item kinds.
namespace ItemKind {
enum : int { Function = 3, Variable = 6, Class = 7, Value = 12, Keyword = 14 };
}

// What the items replace: the word being typed.
struct Context {
  const OpenDocument& document;
  size_t begin;
  size_t end;
  PositionEncoding encoding;
  Json items = Json::array();

  void Add(const std::string& label, int kind, const std::string& detail,
           const std::string& insert = "") {
    Json item = {{"label", label},
                 {"kind", kind},
                 {"textEdit",
                  {{"range", RangeJson(document.text, begin, end, encoding)},
                   {"newText", insert.empty() ? label : insert}}}};
    if (!detail.empty()) item["detail"] = detail;
    items.push_back(std::move(item));
  }
};

const char* PhaseWords(char prefix) {
  switch (prefix) {
    case '-':
      return "runs when the profile stops being active";
    case '!':
      return "runs once after every load (default profile only)";
    default:
      return "runs when the profile becomes active";
  }
}

void Commands(Context& context, char prefix) {
  for (const CommandTableEntry* row : CommandListing()) {
    // The keyword "disable" takes the Disable command's name.
    if (row->id == CommandId::Disable) continue;
    const std::string detail =
        prefix == 0 ? HelpSummary(row->name) : std::string(1, prefix) + ": " + PhaseWords(prefix);
    context.Add(row->name, ItemKind::Function, detail);
  }
  if (prefix != 0) return;
  context.Add("skip", ItemKind::Keyword, "The profile is kept but never chosen by the updates.");
  context.Add("disable", ItemKind::Keyword, "The game leaves the profile out.");
}

void Values(Context& context, bool settingsOnly) {
  for (const ValueTableRow& row : kValueTable) {
    if (settingsOnly && row.kind != ValueKind::Setting) continue;
    context.Add(row.name, ItemKind::Variable, HelpSummary(row.name));
  }
}

void HostTests(Context& context) {
  for (const std::string& name : HostTestNames()) {
    context.Add(name, ItemKind::Function, "a test of the followed character");
  }
}

// `typed`: the name written so far, a quoted one with its blanks; the items replace it.
void Profiles(Context& context, std::string_view typed) {
  context.begin = context.end - typed.size();
  for (const Block& block : context.document.analysis->blocks) {
    if (block.profile < 0 || block.type == ProfileType::Default) continue;
    // The game reads a name with blanks only between double quotes.
    const bool quote = block.name.find_first_of(" \t") != std::string::npos;
    context.Add(block.name, ItemKind::Class, ProfileKindWords(block) + " profile",
                quote ? "\"" + block.name + "\"" : "");
  }
}

void Literals(Context& context, ValueType type) {
  if (type != ValueType::Bool) return;
  context.Add("true", ItemKind::Value, "");
  context.Add("false", ItemKind::Value, "");
}

ValueType TypeOfValue(std::string_view name) {
  const ValueTableRow* row = ValueRowNamed(name);
  return row == nullptr ? ValueType::Unknown : TypeFromName(row->name);
}

// The words before the cursor, blank-separated; the last one is the word being typed (empty
// right after a blank). A word that opens a double quote runs to the cursor.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (true) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    size_t end = at;
    if (end < text.size() && text[end] == '"') {
      const size_t close = text.find('"', end + 1);
      end = close == std::string_view::npos ? text.size() : close + 1;
    }
    while (end < text.size() && !IsBlank(text[end])) ++end;
    words.push_back(text.substr(at, end - at));
    if (end >= text.size()) return words;
    at = end;
  }
}

// The arguments of a command, by the slot the cursor is in.
void Arguments(Context& context, CommandId id, const std::vector<std::string_view>& words) {
  const size_t slot = words.size() - 1;
  switch (id) {
    case CommandId::Set:
    case CommandId::Modify:
    case CommandId::SetTween:
    case CommandId::ModifyTween:
      if (slot == 1) return Literals(context, TypeOfValue(words[0]));
      [[fallthrough]];
    case CommandId::Reset:
    case CommandId::Return:
    case CommandId::Clear:
    case CommandId::ResetTween:
    case CommandId::ReturnTween:
      // Commands change settings only: game state is the game's.
      if (slot == 0) Values(context, true);
      return;
    case CommandId::SetProfile:
    case CommandId::RunProfile:
    case CommandId::Inhibit:
      if (slot == 0) Profiles(context, words.back());
      return;
    case CommandId::BindKey:
    case CommandId::BindKey2:
      if (slot == 2) Profiles(context, words.back());
      return;
    default:
      return;
  }
}

void ConditionItems(Context& context, std::string_view text) {
  const size_t nameLength = AlnumPrefixLength(text);
  if (nameLength == text.size()) {
    Values(context, false);
    HostTests(context);
    return;
  }
  // After an operator, the literals of the value's type.
  const std::string_view rest = TrimLeft(text.substr(nameLength));
  const size_t operatorLength = rest.find_first_not_of("<>=!~&");
  if (operatorLength == 0 || operatorLength == std::string_view::npos) return;
  const std::string_view operand = TrimLeft(rest.substr(operatorLength));
  if (operand.find_first_of(" \t") != std::string_view::npos) return;
  Literals(context, TypeOfValue(text.substr(0, nameLength)));
}

void CommandItems(Context& context, std::string_view text) {
  char prefix = 0;
  if (!text.empty() && (text.front() == '+' || text.front() == '-' || text.front() == '!')) {
    prefix = text.front();
    text.remove_prefix(1);
  }
  const size_t nameLength = AlnumPrefixLength(text);
  if (nameLength == text.size()) return Commands(context, prefix);
  const CommandTableEntry* row = CommandRowNamed(text.substr(0, nameLength));
  if (row == nullptr || !IsBlank(text[nameLength])) return;
  Arguments(context, row->id, Words(text.substr(nameLength)));
}

}  // namespace

Json CompletionAt(const OpenDocument& document, size_t offset, PositionEncoding encoding) {
  const TextPosition at = document.text.PositionOf(offset, PositionEncoding::Utf8);
  const std::string_view line = document.text.LineText(static_cast<size_t>(at.line));
  const std::string_view before = line.substr(0, static_cast<size_t>(at.character));
  const std::string_view text = TrimLeft(before);
  // The word being typed: back from the cursor over letters, digits and an opening quote.
  size_t word = before.size();
  while (word > 0 && (IsAlnum(before[word - 1]) || before[word - 1] == '"')) --word;
  Context context{document, offset - (before.size() - word), offset, encoding};
  if (text.empty()) {
    Commands(context, 0);
  } else if (text.front() == '(') {
    ConditionItems(context, text.substr(1));
  } else if (text.front() != ';' && text.front() != '#' && text.front() != '[' &&
             text.front() != '{') {
    CommandItems(context, text);
  }
  return {{"isIncomplete", false}, {"items", std::move(context.items)}};
}
