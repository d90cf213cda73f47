// The condition parser: one condition line into a Condition with its evaluator.

#include "config/condition_parser.h"

#include <string>
#include <string_view>
#include <vector>

#include "base/diagnostics.h"
#include "config/literals.h"
#include "base/name_index.h"
#include "base/text.h"
#include "profiles/evaluators.h"
#include "values/registry.h"

namespace {

struct OperatorSymbol {
  std::string_view symbol;
  int32_t op;
};

// Two-character symbols come first so that ">=" is not read as ">". No symbol has a letter,
// so they are matched exactly.
constexpr OperatorSymbol kOperators[] = {
    {">=", ConditionOp::GreaterOrEqual}, {"<=", ConditionOp::LessOrEqual},
    {"!=", ConditionOp::NotEqual},       {"==", ConditionOp::Equal},
    {"~~", ConditionOp::NotContains},    {">", ConditionOp::Greater},
    {"<", ConditionOp::Less},            {"=", ConditionOp::Equal},
    {"&", ConditionOp::Contains},        {"~", ConditionOp::NotContains},
};

// Host tests named by a fixed word; they take precedence over value names.
struct SpecialKind {
  const char* name;
  ValueType operandType;
  ConditionEvaluator evaluator;
};

constexpr SpecialKind kSpecialKinds[] = {
    {"Faction", ValueType::Int, FactionTest},
    {"Perk", ValueType::Int, PerkTest},
    {"Keyword", ValueType::String, KeywordTest},
    {"WornHasKeyword", ValueType::String, WornKeywordTest},
    {"MagicEffectKeyword", ValueType::String, MagicEffectKeywordTest},
};

const SpecialKind* FindSpecialKind(std::string_view name) {
  static const NameIndex kindNames = [] {
    std::vector<const char*> names;
    for (const SpecialKind& kind : kSpecialKinds) names.push_back(kind.name);
    return NameIndex(names);
  }();
  const int32_t kind = kindNames.Find(name);
  return kind < 0 ? nullptr : &kSpecialKinds[kind];
}

}  // namespace

bool ParseCondition(Session& session, int32_t line, std::string_view text, Condition& condition,
                    ConditionSpans* spans) {
  const size_t nameLength = AlnumPrefixLength(text);
  if (nameLength == 0) {
    LogAtLine(session.messageQueue, line, "Invalid syntax for condition!");
    return false;
  }
  const std::string_view name = text.substr(0, nameLength);
  const std::string_view rest = TrimLeft(text.substr(nameLength));

  condition.line = line;
  std::string_view operandText = "1";
  for (const OperatorSymbol& entry : kOperators) {
    if (rest.starts_with(entry.symbol)) {
      condition.op = entry.op;
      operandText = TrimLeft(rest.substr(entry.symbol.size()));
      if (spans != nullptr) spans->op = rest.substr(0, entry.symbol.size());
      break;
    }
  }
  if (spans != nullptr) {
    spans->name = name;
    spans->operand = operandText;
  }

  if (const SpecialKind* kind = FindSpecialKind(name)) {
    condition.operand = KeepOperand(session.texts, ParseValueText(kind->operandType, operandText));
    condition.evaluator = kind->evaluator;
    return true;
  }

  Value* value = FindValue(session.values, name);
  if (value == nullptr) {
    LogAtLine(session.messageQueue, line, "Unknown value '%s'!", std::string(name).c_str());
    return false;
  }
  condition.valueIndex = static_cast<int16_t>(value->index);
  condition.operand = KeepOperand(session.texts, ParseValueText(value->type, operandText));
  condition.evaluator = CompareValue;
  SetConditionRefs(session.values, value->index, value->conditionRefs + 1);
  return true;
}
