// The six condition evaluators.

#include "profiles/evaluators.h"

#include <bit>
#include <string_view>

#include "base/text.h"
#include "profiles/keywords.h"
#include "profiles/session.h"

namespace {

// Ordered comparison for Bool, Int and Float. For bools ">" is "a and not e" and so on; for
// floats the built-in operators give the IEEE answers with NaN on either side.
template <typename T>
bool Compare(int32_t op, T a, T e) {
  switch (op) {
    case ConditionOp::Equal:
    case ConditionOp::Contains:
      return a == e;
    case ConditionOp::NotEqual:
    case ConditionOp::NotContains:
      return a != e;
    case ConditionOp::Greater:
      return a > e;
    case ConditionOp::Less:
      return a < e;
    case ConditionOp::GreaterOrEqual:
      return a >= e;
    case ConditionOp::LessOrEqual:
      return a <= e;
    default:
      return false;
  }
}

bool CompareText(int32_t op, std::string_view a, std::string_view e) {
  switch (op) {
    case ConditionOp::Equal:
      return TrimmedEqualIgnoringCase(a, e);
    case ConditionOp::NotEqual:
      return !TrimmedEqualIgnoringCase(a, e);
    case ConditionOp::Contains:
      return ContainsIgnoringCase(a, e);
    case ConditionOp::NotContains:
      return !ContainsIgnoringCase(a, e);
    default:
      return false;
  }
}

// A reading of the operand's own type against the operand.
bool CompareReading(int32_t op, const ValueReading& a, const Operand& e) {
  switch (e.type) {
    case ValueType::Bool:
      return Compare(op, a.payload != 0, e.AsBool());
    case ValueType::Int:
      return Compare(op, static_cast<int32_t>(a.payload), e.AsInt());
    case ValueType::Float:
      return Compare(op, std::bit_cast<float>(a.payload), e.AsFloat());
    case ValueType::String:
      return CompareText(op, *a.text, e.Text());
    default:
      return false;
  }
}

// The host-test column: only the equality and containment forms say anything.
bool HostAnswer(int32_t op, bool has) {
  switch (op) {
    case ConditionOp::Equal:
    case ConditionOp::Contains:
      return has;
    case ConditionOp::NotEqual:
    case ConditionOp::NotContains:
      return !has;
    default:
      return false;
  }
}

using KeywordQuery = bool (*)(HostActor* actor, HostKeyword* keyword);

bool ActorHasKeyword(HostActor* actor, HostKeyword* keyword) {
  return (HostHasKeyword(actor, keyword) & 0xFF) != 0;
}

bool WornItemHasKeyword(HostActor* actor, HostKeyword* keyword) {
  HostWornItems* worn = HostWornVisit(actor);
  return worn != nullptr && (HostWornVisitCallback(worn, keyword) & 0xFF) != 0;
}

bool KeywordConditionHolds(HostActor* actor, Condition* condition,
                           KeywordQuery query) {
  if (!condition->operand.isSet || actor == nullptr) return false;
  if (condition->operand.type == ValueType::String) ResolveKeywordOperand(condition);
  if (condition->operand.type != ValueType::Int) return false;
  bool has = false;
  if (condition->operand.payload != 0) {
    HostForm* form = HostLookupFormById(condition->operand.payload);
    HostKeyword* keyword = form ? HostCastToKeyword(form) : nullptr;
    if (keyword != nullptr) has = query(actor, keyword);
  }
  return HostAnswer(condition->op, has);
}

}  // namespace

bool CompareValue(Session& session, const FrameContext&, Condition* condition) {
  ValueRegistry& registry = session.values;
  const Operand& e = condition->operand;
  if (!e.isSet || e.type == ValueType::Unknown) return false;
  Value* value = ValueAt(registry, condition->valueIndex);
  if (value == nullptr) return false;
  // Compared where it lies: no copy of the value or of its text.
  const ValueReading a = ReadValue(registry, *value);
  if (!a.Is(e.type)) return false;
  // A mirrored setting compares the host's live value when it answers with the same type.
  if (value->readBack != nullptr) {
    const ValueData live = value->readBack(registry);
    if (live.isSet && live.type == e.type) {
      return CompareReading(condition->op, {live.payload, true, live.type, &live.text}, e);
    }
  }
  return CompareReading(condition->op, a, e);
}

bool FactionTest(Session&, const FrameContext& frame, Condition* condition) {
  HostActor* actor = frame.followedActor;
  const Operand& e = condition->operand;
  if (!e.isSet || actor == nullptr || e.type != ValueType::Int) return false;
  HostForm* form = HostLookupFormById(e.payload);
  HostConditionForm* faction = form ? HostCastToConditionForm(form) : nullptr;
  if (faction == nullptr) return false;
  const bool isPlayer = HostActorAsRef(actor) == HostPlayer();
  const bool has = HostFactionQuery(actor, faction, isPlayer) != 0;
  // Unlike the other host tests, "not contains" says nothing about a faction.
  if (condition->op == ConditionOp::NotContains) return false;
  return HostAnswer(condition->op, has);
}

bool PerkTest(Session&, const FrameContext& frame, Condition* condition) {
  HostActor* actor = frame.followedActor;
  constexpr uint8_t kPerkFormType = 0x5C;
  const Operand& e = condition->operand;
  if (!e.isSet || actor == nullptr || e.type != ValueType::Int) return false;
  HostForm* form = HostLookupFormById(e.payload);
  if (form == nullptr || HostFormType(form) != kPerkFormType) return false;
  return HostAnswer(condition->op, HostHasPerk(actor, form) != 0);
}

bool KeywordTest(Session&, const FrameContext& frame, Condition* condition) {
  return KeywordConditionHolds(frame.followedActor, condition, ActorHasKeyword);
}

bool WornKeywordTest(Session&, const FrameContext& frame, Condition* condition) {
  return KeywordConditionHolds(frame.followedActor, condition, WornItemHasKeyword);
}

bool MagicEffectKeywordTest(Session&, const FrameContext& frame, Condition* condition) {
  HostActor* actor = frame.followedActor;
  constexpr uint8_t kKeywordFormType = 4;
  const Operand& e = condition->operand;
  if (!e.isSet || actor == nullptr) return false;
  bool has = false;
  if (e.type == ValueType::String) {
    has = HasActiveEffectKeyword(actor, e.Text());
  } else if (e.type == ValueType::Int) {
    HostForm* form = HostLookupFormById(e.payload);
    if (form == nullptr || HostFormType(form) != kKeywordFormType) return false;
    has = (HostHasMagicEffectKeyword(actor, form) & 0xFF) != 0;
  } else {
    return false;
  }
  return HostAnswer(condition->op, has);
}
