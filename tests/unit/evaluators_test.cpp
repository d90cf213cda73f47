// Tests of the condition evaluators.

#include <cmath>
#include <limits>
#include <memory>

#include "parsed_record.h"
#include "profiles_fixture.h"

namespace {

class EvaluatorsTest : public ProfilesTest {
 protected:
  // The condition for the followed reference `ref`, which is `actor` as an actor (or null).
  static bool HoldsFor(Condition& condition, HostRef* ref, HostActor* actor) {
    FrameContext frame;
    frame.followed = ref;
    frame.followedActor = actor;
    return condition.evaluator(LiveSession(), frame, &condition);
  }
  static bool Holds(Condition& condition) { return HoldsFor(condition, PlayerRef(), Sim().player); }
  static bool HoldsWithout(Condition& condition) { return HoldsFor(condition, nullptr, nullptr); }
  static Condition Compare(int32_t index, int32_t op, const ValueData& operand) {
    return {.operand = KeepOperand(LiveSession().texts, operand), .evaluator = CompareValue,
            .valueIndex = static_cast<int16_t>(index), .op = static_cast<int8_t>(op)};
  }
  static Condition HostTest(ConditionEvaluator evaluator, int32_t op, const ValueData& operand) {
    return {.operand = KeepOperand(LiveSession().texts, operand), .evaluator = evaluator,
            .op = static_cast<int8_t>(op)};
  }
  // Whether `value op operand` holds, for every op code 0-7 and one out of range.
  static std::vector<bool> Row(int32_t index, const ValueData& operand) {
    std::vector<bool> row;
    for (int32_t op = 0; op <= 8; ++op) {
      Condition condition = Compare(index, op, operand);
      row.push_back(Holds(condition));
    }
    return row;
  }
  static std::unique_ptr<Condition> Parse(std::string_view text) {
    return ParseCondition(LiveSession(), 1, text);
  }
};

//                       ==     !=     >      <      >=     <=     &      ~      (8)
const std::vector<bool> kLess{false, true, false, true, false, true, false, true, false};
const std::vector<bool> kEqual{true, false, false, false, true, true, true, false, false};
const std::vector<bool> kGreater{false, true, true, false, true, false, false, true, false};
const std::vector<bool> kUnordered{false, true, false, false, false, false, false, true, false};

TEST_F(EvaluatorsTest, NumbersAndBoolsFollowTheOperatorTable) {
  SetValue(Values(), Vid::iUnused1, ValueData::Int(-5), 0);
  EXPECT_EQ(Row(Vid::iUnused1, ValueData::Int(3)), kLess);  // signed: -5 < 3
  EXPECT_EQ(Row(Vid::iUnused1, ValueData::Int(-5)), kEqual);
  EXPECT_EQ(Row(Vid::iUnused1, ValueData::Int(-6)), kGreater);

  SetValue(Values(), Vid::fFocusSpeed, ValueData::Float(2.5f), 0);
  EXPECT_EQ(Row(Vid::fFocusSpeed, ValueData::Float(2.75f)), kLess);
  EXPECT_EQ(Row(Vid::fFocusSpeed, ValueData::Float(2.5f)), kEqual);
  EXPECT_EQ(Row(Vid::fFocusSpeed, ValueData::Float(-1e30f)), kGreater);

  // For bools ">" is "a and not e", ">=" is "a or not e", and so on.
  SetValue(Values(), Vid::bFocus, ValueData::Bool(true), 0);
  EXPECT_EQ(Row(Vid::bFocus, ValueData::Bool(false)), kGreater);
  EXPECT_EQ(Row(Vid::bFocus, ValueData::Bool(true)), kEqual);
  SetValue(Values(), Vid::bFocus, ValueData::Bool(false), 0);
  EXPECT_EQ(Row(Vid::bFocus, ValueData::Bool(true)), kLess);
}

TEST_F(EvaluatorsTest, NaNOnEitherSideOnlySatisfiesTheNegatedOperators) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  SetValue(Values(), Vid::fFocusSpeed, ValueData::Float(nan), 0);
  EXPECT_EQ(Row(Vid::fFocusSpeed, ValueData::Float(1)), kUnordered);
  SetValue(Values(), Vid::fFocusSpeed, ValueData::Float(1), 0);
  EXPECT_EQ(Row(Vid::fFocusSpeed, ValueData::Float(nan)), kUnordered);
}

TEST_F(EvaluatorsTest, TextComparesTrimmedIgnoringCaseAndOnlyEqualsOrContains) {
  ValueAt(Values(), Vid::sRace)->current = ValueData::String(" RaceA ");
  EXPECT_TRUE(Holds(*Parse("sRace == racea")));
  EXPECT_FALSE(Holds(*Parse("sRace != racea")));
  EXPECT_TRUE(Holds(*Parse("sRace & CEA")));
  EXPECT_FALSE(Holds(*Parse("sRace ~ CEA")));
  EXPECT_TRUE(Holds(*Parse("sRace ~ beta")));
  EXPECT_TRUE(Holds(*Parse("sRace & ")));  // empty part is always contained
  EXPECT_FALSE(Holds(*Parse("sRace > A")));
  EXPECT_FALSE(Holds(*Parse("sRace <= zzz")));
  // Text longer than the value is never contained.
  EXPECT_FALSE(Holds(*Parse("sRace & RaceA and more")));
}

TEST_F(EvaluatorsTest, AnUnsetValueOrOperandFailsEveryOperator) {
  // No updater has set bSneaking: the accessor fails, so even the negation is false.
  EXPECT_FALSE(Holds(*Parse("bSneaking")));
  EXPECT_FALSE(Holds(*Parse("bSneaking == false")));
  EXPECT_FALSE(Holds(*Parse("bSneaking != true")));

  ValueAt(Values(), Vid::bSneaking)->current = ValueData::Bool(true);
  EXPECT_TRUE(Holds(*Parse("bSneaking")));
  EXPECT_TRUE(Holds(*Parse("bSneaking >= false")));
  EXPECT_FALSE(Holds(*Parse("bSneaking == on")));  // unparsable operand
  EXPECT_FALSE(Holds(*Parse("bSneaking != on")));

  ValueAt(Values(), Vid::iCameraState)->current = ValueData::Int(3);
  EXPECT_TRUE(Holds(*Parse("iCameraState & 3")));  // "&" means equal for numbers
  EXPECT_FALSE(Holds(*Parse("iCameraState & 1")));

  Condition badIndex = Compare(-1, ConditionOp::NotEqual, ValueData::Int(1));
  EXPECT_FALSE(Holds(badIndex));
  Condition beyond = Compare(Vid::Count, ConditionOp::NotEqual, ValueData::Int(1));
  EXPECT_FALSE(Holds(beyond));
}

struct LiveSetting {
  static inline ValueData live;
  static ValueData ReadBack(ValueRegistry&) { return live; }
};

TEST_F(EvaluatorsTest, AMirroredSettingIsComparedWithTheHostsLiveValue) {
  Value* value = ValueAt(Values(), Vid::fFocusMinAngle);
  value->readBack = LiveSetting::ReadBack;
  LiveSetting::live = ValueData::Float(0, false);  // no host value yet: nothing captured
  EXPECT_FALSE(Holds(*Parse("fFocusMinAngle > 80")));

  SetValue(Values(), Vid::fFocusMinAngle, ValueData::Float(70), 0);
  LiveSetting::live = ValueData::Float(85);
  EXPECT_TRUE(Holds(*Parse("fFocusMinAngle > 80")));
  EXPECT_FALSE(Holds(*Parse("fFocusMinAngle == 70")));

  // A read-back of another type is not trusted: the registry's copy counts.
  LiveSetting::live = ValueData::Int(85);
  EXPECT_TRUE(Holds(*Parse("fFocusMinAngle == 70")));
}

class HostTestsTest : public EvaluatorsTest {};

TEST_F(HostTestsTest, EveryHostTestIsFalseWithoutAnActor) {
  HostConditionForm* faction = Sim().CreateFaction();
  const uint32_t factionId = HostFormId(faction);
  for (ConditionEvaluator evaluator :
       {FactionTest, PerkTest, KeywordTest, WornKeywordTest, MagicEffectKeywordTest}) {
    const bool numeric = evaluator == FactionTest || evaluator == PerkTest;
    const ValueData operand =
        numeric ? ValueData::Int(static_cast<int32_t>(factionId)) : ValueData::String("Nothing");
    Condition equal = HostTest(evaluator, ConditionOp::Equal, operand);
    Condition notEqual = HostTest(evaluator, ConditionOp::NotEqual, operand);
    EXPECT_FALSE(HoldsWithout(equal));
    EXPECT_FALSE(HoldsWithout(notEqual));
    // A non-actor reference: the reference is there, the actor is not.
    HostRef* crate = Sim().CreateReference();
    EXPECT_FALSE(HoldsFor(notEqual, crate, nullptr));
  }
}

TEST_F(HostTestsTest, FactionAnswersEqualityButNeverTheContainmentNegation) {
  HostConditionForm* faction = Sim().CreateFaction();
  const int32_t id = static_cast<int32_t>(HostFormId(faction));
  Condition in = HostTest(FactionTest, ConditionOp::Equal, ValueData::Int(id));
  Condition notIn = HostTest(FactionTest, ConditionOp::NotEqual, ValueData::Int(id));
  Condition notContains = HostTest(FactionTest, ConditionOp::NotContains, ValueData::Int(id));
  EXPECT_FALSE(Holds(in));
  EXPECT_TRUE(Holds(notIn));
  EXPECT_FALSE(Holds(notContains));
  EXPECT_EQ(Sim().lastFactionQueryPlayerFlag, 1);

  Sim().player->factions.push_back(faction);
  EXPECT_TRUE(Holds(in));
  EXPECT_FALSE(Holds(notIn));
  EXPECT_FALSE(Holds(notContains));

  HostActor* other = Sim().CreateActor();
  EXPECT_FALSE(HoldsFor(in, HostActorAsRef(other), other));
  EXPECT_EQ(Sim().lastFactionQueryPlayerFlag, 0);

  // A form that is not a faction, or no form at all: false whatever the operator.
  Condition perkId = HostTest(FactionTest, ConditionOp::NotEqual,
                              ValueData::Int(static_cast<int32_t>(HostFormId(Sim().CreatePerk()))));
  EXPECT_FALSE(Holds(perkId));
  Condition missing = HostTest(FactionTest, ConditionOp::NotEqual, ValueData::Int(0x7FFF0));
  EXPECT_FALSE(Holds(missing));
}

TEST_F(HostTestsTest, PerkNeedsAPerkForm) {
  HostForm* perk = Sim().CreatePerk();
  const int32_t perkId = static_cast<int32_t>(HostFormId(perk));
  Condition has = HostTest(PerkTest, ConditionOp::Contains, ValueData::Int(perkId));
  Condition hasNot = HostTest(PerkTest, ConditionOp::NotContains, ValueData::Int(perkId));
  EXPECT_FALSE(Holds(has));
  EXPECT_TRUE(Holds(hasNot));
  Sim().player->perks.push_back(perk);
  EXPECT_TRUE(Holds(has));
  EXPECT_FALSE(Holds(hasNot));
  Condition greater = HostTest(PerkTest, ConditionOp::Greater, ValueData::Int(perkId));
  EXPECT_FALSE(Holds(greater));

  const int32_t spellId = static_cast<int32_t>(HostFormId(Sim().CreateSpell()));
  Condition notAPerk = HostTest(PerkTest, ConditionOp::NotEqual, ValueData::Int(spellId));
  EXPECT_FALSE(Holds(notAPerk));
}

TEST_F(HostTestsTest, KeywordNamesResolveOnceAndAMissingNameBecomesZero) {
  HostKeyword* heavy = Sim().Keyword("ArmorHeavy");
  auto missingEqual = Parse("Keyword = NoSuchKeyword");
  auto missingNotEqual = Parse("Keyword != NoSuchKeyword");
  EXPECT_FALSE(Holds(*missingEqual));
  EXPECT_TRUE(Holds(*missingNotEqual));
  EXPECT_EQ(missingEqual->operand.type, ValueType::Int);
  EXPECT_TRUE(missingEqual->operand.isSet);
  EXPECT_EQ(missingEqual->operand.payload, 0u);

  auto has = Parse("Keyword = armorheavy");
  EXPECT_FALSE(Holds(*has));
  EXPECT_EQ(has->operand.payload, HostFormId(HostKeywordAsForm(heavy)));
  Sim().player->keywords.push_back(heavy);
  EXPECT_TRUE(Holds(*has));
  EXPECT_FALSE(Holds(*Parse("Keyword ~ ArmorHeavy")));
  EXPECT_FALSE(Holds(*Parse("Keyword >= ArmorHeavy")));
}

TEST_F(HostTestsTest, WornKeywordAsksTheWornItems) {
  HostKeyword* hood = Sim().Keyword("ClothingHood");
  auto worn = Parse("WornHasKeyword = ClothingHood");
  auto notWorn = Parse("WornHasKeyword != ClothingHood");
  Sim().player->worn = nullptr;  // nothing to visit: "has" stays false
  EXPECT_FALSE(Holds(*worn));
  EXPECT_TRUE(Holds(*notWorn));

  HostActor* npc = Sim().CreateActor();
  npc->worn->keywords.push_back(hood);
  EXPECT_TRUE(HoldsFor(*worn, HostActorAsRef(npc), npc));
  EXPECT_FALSE(HoldsFor(*notWorn, HostActorAsRef(npc), npc));
  npc->keywords.push_back(hood);  // on the actor itself, not worn: irrelevant
  npc->worn->keywords.clear();
  EXPECT_FALSE(HoldsFor(*worn, HostActorAsRef(npc), npc));
}

TEST_F(HostTestsTest, MagicEffectKeywordWalksTheActiveEffects) {
  HostForm* poison = HostKeywordAsForm(Sim().Keyword("MagicPoison"));
  HostForm* fire = HostKeywordAsForm(Sim().Keyword("MagicFire"));
  auto poisoned = Parse("MagicEffectKeyword = magicpoison");
  auto notPoisoned = Parse("MagicEffectKeyword != MagicPoison");
  EXPECT_FALSE(Holds(*poisoned));
  EXPECT_TRUE(Holds(*notPoisoned));

  // An effect without base effect is skipped; a later one still matches.
  Sim().AddActiveEffect(Sim().player, nullptr);
  Sim().AddActiveEffect(Sim().player, Sim().CreateMagicEffect({fire, nullptr}));
  EXPECT_FALSE(Holds(*poisoned));
  Sim().AddActiveEffect(Sim().player, Sim().CreateMagicEffect({nullptr, poison}));
  EXPECT_TRUE(Holds(*poisoned));
  EXPECT_FALSE(Holds(*notPoisoned));
  // Names are not trimmed here.
  EXPECT_FALSE(Holds(*Parse("MagicEffectKeyword = MagicPoison ")));
  // The operand stays a name: nothing is resolved for good.
  EXPECT_EQ(poisoned->operand.type, ValueType::String);
}

}  // namespace
