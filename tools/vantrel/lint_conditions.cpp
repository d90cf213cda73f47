// Rule never-holds: conditions that the game can never find true, alone (an operand that does
// not read, an operator a test answers false to, a text that never equals) or together with an
// earlier condition of the same profile.
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "base/text.h"
#include "config/literals.h"
#include "host_test_names.h"
#include "lint_fixes.h"
#include "lint_reading.h"
#include "lint_rules.h"
#include "profiles/evaluators.h"
#include "values/value_table.h"

namespace {

bool IsOrdering(int32_t op) {
  return op == ConditionOp::Greater || op == ConditionOp::Less ||
         op == ConditionOp::GreaterOrEqual || op == ConditionOp::LessOrEqual;
}

bool IsHostTest(const Condition& condition) {
  return HostTestNameOf(condition.evaluator) != nullptr;
}

std::string SubjectOf(const Condition& condition) {
  if (const char* test = HostTestNameOf(condition.evaluator)) return test;
  return kValueTable[condition.valueIndex].name;
}

ValueType TypeOf(const Condition& condition) {
  return condition.evaluator == CompareValue ? TypeFromName(kValueTable[condition.valueIndex].name)
                                             : condition.operand.type;
}

// A one-character operator followed by "=" or "~": "> = 100" is ">" with the operand "= 100".
std::optional<std::string> SplitOperator(const ConditionSpans& spans) {
  if (spans.op.size() != 1 || spans.operand.empty()) return std::nullopt;
  const std::string joined = std::string(spans.op) + spans.operand.front();
  for (const char* symbol : {">=", "<=", "==", "~~"}) {
    if (joined == symbol) return joined;
  }
  return std::nullopt;
}

struct Verdict {
  std::string why;
  std::string_view span;
  std::optional<Fix> fix;
};

// Why a condition alone can never hold, or nothing.
std::optional<Verdict> NeverAlone(LintSource& source, const Condition& condition,
                                  const ConditionSpans& spans) {
  const std::string subject = SubjectOf(condition);
  const Operand& operand = condition.operand;
  const ValueType type = TypeOf(condition);
  if (!operand.isSet) {
    Verdict verdict;
    verdict.span = spans.operand;
    if (const std::optional<std::string> symbol = SplitOperator(spans)) {
      const std::string_view rest = TrimLeft(spans.operand.substr(1));
      verdict.why = "'" + std::string(spans.op) + " " + spans.operand.front() + "' is read as '" +
                    std::string(spans.op) + "' with the operand '" + std::string(spans.operand) +
                    "', which does not read; write '" + *symbol + "'";
      const std::string_view whole(spans.op.data(),
                                   spans.operand.data() + spans.operand.size() - spans.op.data());
      if (ParseValueText(type, rest).isSet) {
        verdict.fix = ReplaceFix(source, whole, *symbol + " " + std::string(rest), true,
                                 "write '" + *symbol + "'");
      }
      verdict.span = whole;
      return verdict;
    }
    const Unreadable unreadable = WhyUnreadable(type, spans.operand);
    verdict.why = "the operand " + DoesNotRead(spans.operand, type) +
                  (unreadable.reason.empty() ? "" : " (" + unreadable.reason + ")") +
                  ", and then " + subject + " fails whatever the operator";
    if (!unreadable.replacement.empty()) {
      verdict.fix = ReplaceFix(source, spans.operand, unreadable.replacement, unreadable.certain,
                               "write '" + unreadable.replacement + "'");
    }
    return verdict;
  }
  if (IsOrdering(condition.op) && (IsHostTest(condition) || type == ValueType::String)) {
    const std::string what =
        IsHostTest(condition)
            ? "the game's " + subject + " test answers false to '" + std::string(spans.op) +
                  "': it knows only has ('=') and has not ('!=')"
            : subject + " is text, and text answers false to '" + std::string(spans.op) + "'";
    Verdict verdict{what, spans.op, std::nullopt};
    if (IsHostTest(condition)) {
      verdict.fix = ReplaceFix(source, spans.op, "=", false, "test with '='");
    }
    return verdict;
  }
  if (condition.evaluator == FactionTest && condition.op == ConditionOp::NotContains) {
    return Verdict{"the game's Faction test answers false to '~'", spans.op,
                   ReplaceFix(source, spans.op, "!=", false, "test with '!='")};
  }
  // The game trims its own text before comparing, never the file's: "Nord " equals nothing.
  const bool equality = condition.op == ConditionOp::Equal ||
                        (IsHostTest(condition) && condition.op == ConditionOp::Contains);
  if (type == ValueType::String && operand.type == ValueType::String && equality &&
      !operand.Text().empty() && IsBlank(operand.Text().back())) {
    const std::string_view trimmed = Trim(spans.operand);
    return Verdict{"the blank at the end of '" + std::string(spans.operand) +
                       "' is compared too, and " + subject + " never ends in one",
                   spans.operand,
                   ReplaceFix(source, spans.operand, std::string(trimmed), true,
                              "drop the blank after '" + std::string(trimmed) + "'")};
  }
  return std::nullopt;
}

// What a condition on a value allows, for telling whether two of them can hold at once.
struct Allowed {
  enum Kind { None, Bools, Interval, NotPoint, TextEqual, TextNotEqual, TextContains,
              TextNotContains, Has, HasNot } kind = None;
  unsigned bools = 0;  // Bools: bit 0 false, bit 1 true
  double low = -std::numeric_limits<double>::infinity();
  double high = std::numeric_limits<double>::infinity();
  bool lowOpen = false;
  bool highOpen = false;
  double point = 0;
  std::string_view text;
  uint32_t payload = 0;
};

unsigned BoolsAllowed(int32_t op, bool e) {
  const unsigned t = 2;
  const unsigned f = 1;
  switch (op) {
    case ConditionOp::Equal:
    case ConditionOp::Contains:
      return e ? t : f;
    case ConditionOp::NotEqual:
    case ConditionOp::NotContains:
      return e ? f : t;
    case ConditionOp::Greater:  // a and not e
      return e ? 0 : t;
    case ConditionOp::Less:  // not a and e
      return e ? f : 0;
    case ConditionOp::GreaterOrEqual:  // a or not e
      return e ? t : t | f;
    case ConditionOp::LessOrEqual:  // not a or e
      return e ? t | f : f;
    default:
      return 0;
  }
}

Allowed NumberAllowed(int32_t op, double e, bool whole) {
  Allowed allowed;
  allowed.kind = Allowed::Interval;
  // Whole numbers: a strict bound is the next whole number, closed.
  const double step = whole ? 1 : 0;
  switch (op) {
    case ConditionOp::Equal:
    case ConditionOp::Contains:
      allowed.low = allowed.high = e;
      break;
    case ConditionOp::NotEqual:
    case ConditionOp::NotContains:
      allowed.kind = Allowed::NotPoint;
      allowed.point = e;
      break;
    case ConditionOp::Greater:
      allowed.low = e + step;
      allowed.lowOpen = !whole;
      break;
    case ConditionOp::Less:
      allowed.high = e - step;
      allowed.highOpen = !whole;
      break;
    case ConditionOp::GreaterOrEqual:
      allowed.low = e;
      break;
    case ConditionOp::LessOrEqual:
      allowed.high = e;
      break;
    default:
      allowed.kind = Allowed::None;
  }
  return allowed;
}

std::optional<Allowed> AllowedBy(const Condition& condition) {
  const Operand& operand = condition.operand;
  if (!operand.isSet) return std::nullopt;
  const int32_t op = condition.op;
  Allowed allowed;
  if (IsHostTest(condition)) {
    if (IsOrdering(op)) return std::nullopt;
    const bool has = op == ConditionOp::Equal || op == ConditionOp::Contains;
    allowed.kind = has ? Allowed::Has : Allowed::HasNot;
    allowed.text = operand.Text();
    allowed.payload = operand.payload;
    return allowed;
  }
  switch (operand.type) {
    case ValueType::Bool:
      allowed.kind = Allowed::Bools;
      allowed.bools = BoolsAllowed(op, operand.AsBool());
      return allowed;
    case ValueType::Int:
      return NumberAllowed(op, operand.AsInt(), true);
    case ValueType::Float:
      if (std::isnan(operand.AsFloat())) return std::nullopt;
      return NumberAllowed(op, operand.AsFloat(), false);
    case ValueType::String: {
      allowed.text = operand.Text();
      switch (op) {
        case ConditionOp::Equal:
          allowed.kind = Allowed::TextEqual;
          break;
        case ConditionOp::NotEqual:
          allowed.kind = Allowed::TextNotEqual;
          break;
        case ConditionOp::Contains:
          allowed.kind = Allowed::TextContains;
          break;
        case ConditionOp::NotContains:
          allowed.kind = Allowed::TextNotContains;
          break;
        default:
          return std::nullopt;
      }
      return allowed;
    }
    default:
      return std::nullopt;
  }
}

bool IntervalsMeet(const Allowed& a, const Allowed& b) {
  const double low = std::max(a.low, b.low);
  const double high = std::min(a.high, b.high);
  if (low < high) return true;
  if (low > high) return false;
  const bool lowOpen = (a.low == low && a.lowOpen) || (b.low == low && b.lowOpen);
  const bool highOpen = (a.high == high && a.highOpen) || (b.high == high && b.highOpen);
  return !lowOpen && !highOpen;
}

bool HasBlank(std::string_view text) {
  return std::any_of(text.begin(), text.end(), IsBlank);
}

// The game compares its trimmed text for equality; a part without blanks is found in the
// untrimmed text exactly when it is found in the trimmed one.
bool TextsMeet(const Allowed& a, const Allowed& b) {
  using K = Allowed::Kind;
  if (a.kind == K::TextEqual && b.kind == K::TextEqual) return EqualIgnoringCase(a.text, b.text);
  if (a.kind == K::TextEqual && b.kind == K::TextNotEqual) return !EqualIgnoringCase(a.text, b.text);
  if (a.kind == K::TextEqual && b.kind == K::TextContains) {
    return HasBlank(b.text) || ContainsIgnoringCase(a.text, b.text);
  }
  if (a.kind == K::TextEqual && b.kind == K::TextNotContains) {
    return HasBlank(b.text) || !ContainsIgnoringCase(a.text, b.text);
  }
  if (a.kind == K::TextContains && b.kind == K::TextNotContains) {
    return !ContainsIgnoringCase(a.text, b.text);
  }
  return true;
}

bool Meet(const Allowed& a, const Allowed& b) {
  using K = Allowed::Kind;
  if (a.kind == K::Bools && b.kind == K::Bools) return (a.bools & b.bools) != 0;
  if (a.kind == K::Interval && b.kind == K::Interval) return IntervalsMeet(a, b);
  if (a.kind == K::Interval && b.kind == K::NotPoint) {
    return !(a.low == a.high && a.low == b.point && !a.lowOpen && !a.highOpen);
  }
  if (a.kind == K::NotPoint && b.kind == K::Interval) return Meet(b, a);
  if ((a.kind == K::Has && b.kind == K::HasNot) || (a.kind == K::HasNot && b.kind == K::Has)) {
    const bool same = a.text.empty() && b.text.empty() ? a.payload == b.payload
                                                       : EqualIgnoringCase(a.text, b.text);
    return !same;
  }
  if (a.kind >= K::TextEqual && a.kind <= K::TextNotContains && b.kind >= K::TextEqual &&
      b.kind <= K::TextNotContains) {
    return a.kind <= b.kind ? TextsMeet(a, b) : TextsMeet(b, a);
  }
  return true;
}

bool AloneEmpty(const Allowed& allowed) {
  if (allowed.kind == Allowed::Bools) return allowed.bools == 0;
  // "~" with an empty part: every text contains the empty text.
  if (allowed.kind == Allowed::TextNotContains) return allowed.text.empty();
  if (allowed.kind == Allowed::Interval) return !IntervalsMeet(allowed, allowed);
  return false;
}

// Why a condition that AloneEmpty found holds for no value.
std::string EmptyBecause(const Condition& condition) {
  switch (condition.op) {
    case ConditionOp::Greater:
      return "for true or false, '>' holds only when the value is true and the operand false";
    case ConditionOp::Less:
      return "for true or false, '<' holds only when the value is false and the operand true";
    case ConditionOp::NotContains:
      return "every text contains the empty text, so '~' with nothing after it is false";
    default:
      return "no value satisfies it";
  }
}

bool SameSubject(const Condition& a, const Condition& b) {
  return a.evaluator == b.evaluator && a.valueIndex == b.valueIndex;
}

void ProfileConditions(LintContext& context, const Profile& profile) {
  LintSource& source = context.source;
  std::vector<std::optional<Allowed>> allowed;
  for (size_t i = 0; i < profile.conditions.size(); ++i) {
    const Condition& condition = profile.conditions[i];
    const ConditionSpans spans = source.ConditionAt(condition.line);
    std::optional<Verdict> verdict = NeverAlone(source, condition, spans);
    std::optional<Allowed> mine = verdict ? std::nullopt : AllowedBy(condition);
    if (mine && AloneEmpty(*mine)) {
      verdict = Verdict{EmptyBecause(condition), spans.op, std::nullopt};
      mine.reset();
    }
    const Condition* rival = nullptr;
    for (size_t j = 0; j < i && mine && !verdict; ++j) {
      const Condition& earlier = profile.conditions[j];
      if (allowed[j] && SameSubject(earlier, condition) && !Meet(*allowed[j], *mine)) {
        rival = &earlier;
        verdict = Verdict{"(" + std::string(source.ConditionText(condition.line)) +
                              ") and (" + std::string(source.ConditionText(earlier.line)) +
                              ") at line " + std::to_string(earlier.line) +
                              " cannot both hold",
                          source.ConditionText(condition.line), std::nullopt};
      }
    }
    allowed.push_back(verdict ? std::nullopt : mine);
    if (!verdict) continue;
    Finding finding = source.At("never-holds", Severity::Warning,
                                "condition never holds: " + verdict->why, condition.line,
                                verdict->span);
    if (rival != nullptr) {
      finding.related.push_back(source.Related(
          rival->line, source.ConditionText(rival->line), "the condition it contradicts"));
    }
    if (verdict->fix) finding.fixes.push_back(std::move(*verdict->fix));
    context.findings.push_back(std::move(finding));
  }
}

}  // namespace

void ConditionFindings(LintContext& context) {
  for (const Profile& profile : context.session.profiles) ProfileConditions(context, profile);
}
