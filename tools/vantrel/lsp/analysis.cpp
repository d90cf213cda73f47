// A document's analysis: findings, profile blocks and every line's parts, as byte offsets.

#include "lsp/analysis.h"

#include <algorithm>

#include "base/text.h"
#include "config/loader.h"
#include "help_entries.h"
#include "host_test_names.h"
#include "lint.h"
#include "lint_source.h"
#include "profiles/command_table.h"
#include "profiles/driver.h"
#include "values/registry.h"

namespace {

// Builds the parts of each line from what the game's parsers say about it.
class PartCollector {
 public:
  PartCollector(std::string_view text, Analysis& analysis, LintSource& source)
      : text_(text), analysis_(analysis), source_(source) {}

  void Header(int32_t line) {
    const int32_t block = static_cast<int32_t>(source_.BlockOf(line));
    Add(source_.HeaderName(line), PartKind::ProfileName, line).block = block;
  }

  void Condition(int32_t line) {
    const ConditionSpans spans = source_.ConditionAt(line);
    ValueType operandType = ValueType::Unknown;
    int32_t value = -1;
    if (IsHostTest(spans.name)) {
      Add(spans.name, PartKind::HostTest, line);
      // Faction and Perk take form ids; the keyword tests take names.
      const bool keyword = ContainsIgnoringCase(spans.name, "keyword");
      operandType = keyword ? ValueType::String : ValueType::Int;
    } else if (const Value* found = FindValue(analysis_.session.values, spans.name)) {
      value = found->index;
      Add(spans.name, PartKind::ValueName, line).value = value;
      operandType = found->type;
    }
    if (operandType != ValueType::Unknown) {
      Part& literal = Add(spans.operand, PartKind::Literal, line);
      literal.value = value;
      literal.literalType = operandType;
    }
  }

  void Command(int32_t line) {
    const size_t first = analysis_.parts.size();
    AddCommandParts(line);
    // A form may name its parts out of order (BindKey's profile before its key).
    std::sort(analysis_.parts.begin() + static_cast<ptrdiff_t>(first), analysis_.parts.end(),
              [](const Part& a, const Part& b) { return a.begin < b.begin; });
  }

 private:
  void AddCommandParts(int32_t line) {
    const CommandSpans spans = source_.CommandAt(line);
    if (KeywordState(spans.head.name) != ProfileState::Normal) {
      Add(spans.head.name, PartKind::Keyword, line);
      return;
    }
    const CommandTableEntry* row = CommandRowNamed(spans.head.name);
    if (row == nullptr) return;
    command_ = row->id;
    Add(spans.head.name, PartKind::CommandName, line);
    int32_t value = -1;
    ValueType operandType = ValueType::Unknown;
    if (const Value* found = FindValue(analysis_.session.values, spans.value)) {
      value = found->index;
      operandType = found->type;
      Add(spans.value, PartKind::ValueName, line).value = value;
    }
    switch (row->id) {
      case CommandId::SetProfile:
      case CommandId::RunProfile:
      case CommandId::Inhibit:
      case CommandId::BindKey:
      case CommandId::BindKey2:
        ProfileReference(spans.operand, line);
        break;
      case CommandId::RotateX:
      case CommandId::RotateY:
        operandType = ValueType::Float;
        break;
      default:
        break;
    }
    Add(spans.key, PartKind::Key, line);
    Add(spans.modifier, PartKind::Modifiers, line);
    if (operandType != ValueType::Unknown) {
      Part& literal = Add(spans.operand, PartKind::Literal, line);
      literal.value = value;
      literal.literalType = operandType;
    }
    Add(spans.seconds, PartKind::Literal, line).literalType = ValueType::Float;
  }

  static bool IsHostTest(std::string_view name) {
    static const std::vector<std::string> kTests = HostTestNames();
    for (const std::string& test : kTests) {
      if (EqualIgnoringCase(name, test)) return true;
    }
    return false;
  }

  void ProfileReference(std::string_view name, int32_t line) {
    if (!Views(name)) return;
    Part& part = Add(name, PartKind::ProfileReference, line);
    if (const Profile* target = FindProfile(analysis_.session, name)) {
      if (const Block* block = analysis_.BlockOfProfile(*target)) {
        part.block = static_cast<int32_t>(block - analysis_.blocks.data());
      }
    }
  }

  bool Views(std::string_view span) const {
    return span.data() != nullptr && span.data() >= text_.data() &&
           span.data() + span.size() <= text_.data() + text_.size();
  }

  // A part for `span`; an empty one, or one that views nothing of the text (a part the line
  // lacks, the "1" a condition without an operator compares with), is kept aside, unlisted.
  Part& Add(std::string_view span, PartKind kind, int32_t line) {
    if (!Views(span) || span.empty()) {
      discarded_ = {};
      return discarded_;
    }
    Part part;
    part.begin = static_cast<size_t>(span.data() - text_.data());
    part.end = part.begin + span.size();
    part.kind = kind;
    part.gameLine = line;
    part.command = command_;
    analysis_.parts.push_back(part);
    return analysis_.parts.back();
  }

  std::string_view text_;
  Analysis& analysis_;
  LintSource& source_;
  Part discarded_;
  CommandId command_ = CommandId::Disable;
};

}  // namespace

const Part* Analysis::PartAt(size_t offset) const {
  // The last part that begins at or before the offset; parts do not overlap.
  const auto after = std::upper_bound(parts.begin(), parts.end(), offset,
                                      [](size_t at, const Part& part) { return at < part.begin; });
  if (after == parts.begin()) return nullptr;
  const Part& part = *(after - 1);
  return offset <= part.end ? &part : nullptr;
}

const Block* Analysis::BlockOfProfile(const Profile& profile) const {
  for (const Block& block : blocks) {
    if (block.profile == profile.index) return &block;
  }
  return nullptr;
}

std::unique_ptr<Analysis> AnalyzeText(std::string_view text) {
  auto analysis = std::make_unique<Analysis>();
  analysis->findings = LintConfiguration(text);
  // The same load once more, kept: its profiles, and its lines through the source.
  LintSource source(text);
  analysis->session.loading = true;
  LoadConfigurationText(analysis->session, text, &source);
  analysis->session.loading = false;

  const auto offset = [&](std::string_view span) {
    return static_cast<size_t>(span.data() - text.data());
  };
  for (int32_t line = 1; line <= source.GameLines(); ++line) {
    analysis->gameLines.push_back(offset(source.Piece(line)));
  }
  int32_t stored = 0;
  for (const LintSource::Block& built : source.Blocks()) {
    Block block;
    block.name = built.name;
    block.type = built.type;
    block.state = built.state;
    block.profile = built.state == ProfileState::Discarded ? -1 : stored++;
    block.gameLine = built.line;
    if (built.type != ProfileType::Default) {
      const std::string_view name = source.HeaderName(built.line);
      block.begin = offset(source.Piece(built.line));
      block.nameBegin = offset(name);
      block.nameEnd = block.nameBegin + name.size();
    }
    if (!analysis->blocks.empty()) analysis->blocks.back().end = block.begin;
    analysis->blocks.push_back(std::move(block));
  }
  if (!analysis->blocks.empty()) analysis->blocks.back().end = text.size();

  PartCollector parts(text, *analysis, source);
  for (int32_t line = 1; line <= source.GameLines(); ++line) {
    switch (source.Kind(line)) {
      case LineKind::Header:
        parts.Header(line);
        break;
      case LineKind::Condition:
        parts.Condition(line);
        break;
      case LineKind::Command:
        parts.Command(line);
        break;
      default:
        break;
    }
  }
  return analysis;
}
