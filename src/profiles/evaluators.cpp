#include "profiles/evaluators.h"

#include <string>

#include "base/text.h"
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

bool CompareText(int32_t op, const std::string& a, const std::string& e) {
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

// The host's live value for a mirrored setting, when it answers with the right type.
bool LiveReading(ValueRegistry& registry, int32_t index, ValueType type, ValueData& out) {
  Value* value = ValueAt(registry, index);
  if (value == nullptr || value->readBack == nullptr) return false;
  ValueData live = value->readBack(registry);
  if (!live.isSet || live.type != type) return false;
  out = std::move(live);
  return true;
}

using KeywordQuery = bool (*)(HostActor* actor, HostKeyword* keyword);

bool ActorHasKeyword(HostActor* actor, HostKeyword* keyword) {
  return (HostHasKeyword(actor, keyword) & 0xFF) != 0;
}

bool WornItemHasKeyword(HostActor* actor, HostKeyword* keyword) {
  HostWornItems* worn = HostWornVisit(actor);
  return worn != nullptr && (HostWornVisitCallback(worn, keyword) & 0xFF) != 0;
}

bool KeywordConditionHolds(HostActor* actorAsCharacter, Condition* condition,
                           KeywordQuery query) {
  if (!condition->operand.isSet || actorAsCharacter == nullptr) return false;
  if (condition->operand.type == ValueType::String) ResolveKeywordOperand(condition);
  if (condition->operand.type != ValueType::Int) return false;
  bool has = false;
  if (condition->operand.payload != 0) {
    HostForm* form = HostLookupFormById(condition->operand.payload);
    HostKeyword* keyword = form ? HostCastToKeyword(form) : nullptr;
    if (keyword != nullptr) has = query(actorAsCharacter, keyword);
  }
  return HostAnswer(condition->op, has);
}

}  // namespace

bool CompareValue(Session& session, Condition* condition) {
  ValueRegistry& registry = session.values;
  const ValueData& e = condition->operand;
  const int32_t index = condition->valueIndex;
  if (!e.isSet || index < 0) return false;
  ValueData live;
  switch (e.type) {
    case ValueType::Bool: {
      bool a = false;
      if (!GetBool(registry, index, a)) return false;
      if (LiveReading(registry, index, ValueType::Bool, live)) a = live.AsBool();
      return Compare(condition->op, a, e.AsBool());
    }
    case ValueType::Int: {
      int32_t a = 0;
      if (!GetInt(registry, index, a)) return false;
      if (LiveReading(registry, index, ValueType::Int, live)) a = live.AsInt();
      return Compare(condition->op, a, e.AsInt());
    }
    case ValueType::Float: {
      float a = 0;
      if (!GetFloat(registry, index, a)) return false;
      if (LiveReading(registry, index, ValueType::Float, live)) a = live.AsFloat();
      return Compare(condition->op, a, e.AsFloat());
    }
    case ValueType::String: {
      std::string a;
      if (!GetString(registry, index, a)) return false;
      if (LiveReading(registry, index, ValueType::String, live)) a = live.text;
      return CompareText(condition->op, a, e.text);
    }
    default:
      return false;
  }
}

bool FactionTest(Session& session, Condition* condition) {
  HostActor* actorAsCharacter = session.actorAsCharacter;
  const ValueData& e = condition->operand;
  if (!e.isSet || actorAsCharacter == nullptr || e.type != ValueType::Int) return false;
  HostForm* form = HostLookupFormById(e.payload);
  HostConditionForm* faction = form ? HostCastToConditionForm(form) : nullptr;
  if (faction == nullptr) return false;
  const bool isPlayer = HostActorAsRef(actorAsCharacter) == HostPlayer();
  const bool has = HostFactionQuery(actorAsCharacter, faction, isPlayer) != 0;
  // Unlike the other host tests, "not contains" says nothing about a faction.
  if (condition->op == ConditionOp::NotContains) return false;
  return HostAnswer(condition->op, has);
}

bool PerkTest(Session& session, Condition* condition) {
  HostActor* actorAsCharacter = session.actorAsCharacter;
  constexpr uint8_t kPerkFormType = 0x5C;
  const ValueData& e = condition->operand;
  if (!e.isSet || actorAsCharacter == nullptr || e.type != ValueType::Int) return false;
  HostForm* form = HostLookupFormById(e.payload);
  if (form == nullptr || HostFormType(form) != kPerkFormType) return false;
  return HostAnswer(condition->op, HostHasPerk(actorAsCharacter, form) != 0);
}

bool KeywordTest(Session& session, Condition* condition) {
  return KeywordConditionHolds(session.actorAsCharacter, condition, ActorHasKeyword);
}

bool WornKeywordTest(Session& session, Condition* condition) {
  return KeywordConditionHolds(session.actorAsCharacter, condition, WornItemHasKeyword);
}

bool MagicEffectKeywordTest(Session& session, Condition* condition) {
  HostActor* actorAsCharacter = session.actorAsCharacter;
  constexpr uint8_t kKeywordFormType = 4;
  const ValueData& e = condition->operand;
  if (!e.isSet || actorAsCharacter == nullptr) return false;
  bool has = false;
  if (e.type == ValueType::String) {
    has = HasActiveEffectKeyword(actorAsCharacter, e.text);
  } else if (e.type == ValueType::Int) {
    HostForm* form = HostLookupFormById(e.payload);
    if (form == nullptr || HostFormType(form) != kKeywordFormType) return false;
    has = (HostHasMagicEffectKeyword(actorAsCharacter, form) & 0xFF) != 0;
  } else {
    return false;
  }
  return HostAnswer(condition->op, has);
}
