// Tests of the condition parser: operators, kinds, operands and refusals.

#include <gtest/gtest.h>

#include "parsed_record.h"
#include "profiles/evaluators.h"
#include "values_fixture.h"

namespace {

struct ConditionCase {
  const char* text;
  int32_t op;
  int32_t valueIndex;
  ValueData operand;
};

}  // namespace

using ConditionParser = RegistryTest;

TEST_F(ConditionParser, OperatorsKindsAndOperands) {
  const ConditionCase cases[] = {
      {"bWalking", ConditionOp::Equal, Vid::bWalking, ValueData::Bool(true)},
      {"bWalking false", ConditionOp::Equal, Vid::bWalking, ValueData::Bool(true)},
      {"fFOV", ConditionOp::Equal, Vid::fFOV, ValueData::Float(1.0f)},
      {"sRace", ConditionOp::Equal, Vid::sRace, ValueData::String("1")},
      {"fFOV>=70.5", ConditionOp::GreaterOrEqual, Vid::fFOV, ValueData::Float(70.5f)},
      {"fFOV >= 70.5", ConditionOp::GreaterOrEqual, Vid::fFOV, ValueData::Float(70.5f)},
      {"fFOV > = 70", ConditionOp::Greater, Vid::fFOV, ValueData::Unset(ValueType::Float)},
      {"fFOV<=1", ConditionOp::LessOrEqual, Vid::fFOV, ValueData::Float(1)},
      {"fFOV != 1", ConditionOp::NotEqual, Vid::fFOV, ValueData::Float(1)},
      {"fFOV<1", ConditionOp::Less, Vid::fFOV, ValueData::Float(1)},
      {"iCameraState == 0x1A", ConditionOp::Equal, Vid::iCameraState, ValueData::Int(26)},
      {"iCameraState = 010", ConditionOp::Equal, Vid::iCameraState, ValueData::Int(8)},
      {"iCameraState == 08", ConditionOp::Equal, Vid::iCameraState, ValueData::Unset(ValueType::Int)},
      {"iCameraState == 3 ", ConditionOp::Equal, Vid::iCameraState, ValueData::Unset(ValueType::Int)},
      {"iCameraState ==", ConditionOp::Equal, Vid::iCameraState, ValueData::Int(0)},
      {"iCameraState == 2147483647", ConditionOp::Equal, Vid::iCameraState,
       ValueData::Unset(ValueType::Int)},
      {"bSneaking == YES", ConditionOp::Equal, Vid::bSneaking, ValueData::Bool(true)},
      {"bSneaking == on", ConditionOp::Equal, Vid::bSneaking, ValueData::Unset(ValueType::Bool)},
      {"sRace & \"Alpha\" ", ConditionOp::Contains, Vid::sRace, ValueData::String("\"Alpha\" ")},
      {"sRace ~ Beta", ConditionOp::NotContains, Vid::sRace, ValueData::String("Beta")},
      {"sRace ~~ Beta", ConditionOp::NotContains, Vid::sRace, ValueData::String("Beta")},
      {"Bwalking", ConditionOp::Equal, Vid::bWalking, ValueData::Bool(true)},
      {"faction = 0x000800", ConditionOp::Equal, -1, ValueData::Int(2048)},
      {"Perk = 0xFF000800", ConditionOp::Equal, -1, ValueData::Unset(ValueType::Int)},
      {"KEYWORD&Vampire", ConditionOp::Contains, -1, ValueData::String("Vampire")},
  };
  for (const ConditionCase& c : cases) {
    const auto condition = ParseCondition(session, 1, c.text);
    ASSERT_NE(condition, nullptr) << c.text;
    EXPECT_EQ(condition->op, c.op) << c.text;
    EXPECT_EQ(condition->valueIndex, c.valueIndex) << c.text;
    EXPECT_EQ(condition->operand.isSet, c.operand.isSet) << c.text;
    EXPECT_EQ(condition->operand.type, c.operand.type) << c.text;
    EXPECT_EQ(condition->operand.payload, c.operand.payload) << c.text;
    EXPECT_EQ(condition->operand.Text(), c.operand.text) << c.text;
  }
  EXPECT_TRUE(session.messageQueue.empty());
}

TEST_F(ConditionParser, EvaluatorsByKind) {
  EXPECT_EQ(ParseCondition(session, 1, "fFOV")->evaluator, &CompareValue);
  EXPECT_EQ(ParseCondition(session, 1, "Faction")->evaluator, &FactionTest);
  EXPECT_EQ(ParseCondition(session, 1, "perk")->evaluator, &PerkTest);
  EXPECT_EQ(ParseCondition(session, 1, "Keyword")->evaluator, &KeywordTest);
  EXPECT_EQ(ParseCondition(session, 1, "WornHasKeyword")->evaluator, &WornKeywordTest);
  EXPECT_EQ(ParseCondition(session, 1, "MagicEffectKeyword")->evaluator, &MagicEffectKeywordTest);
}

TEST_F(ConditionParser, RefusalsAreReportedAtTheirLine) {
  EXPECT_EQ(ParseCondition(session, 4, " bWalking"), nullptr);
  EXPECT_EQ(ParseCondition(session, 5, ""), nullptr);
  EXPECT_EQ(ParseCondition(session, 6, "bWalk"), nullptr);
  EXPECT_EQ(ParseCondition(session, 7, "b_Walking"), nullptr);
  EXPECT_EQ(ParseCondition(session, 8, "a%b"), nullptr);  // name stops at "%"
  const std::deque<std::string> expected = {
      "Vantrel(4): Invalid syntax for condition!", "Vantrel(5): Invalid syntax for condition!",
      "Vantrel(6): Unknown value 'bWalk'!", "Vantrel(7): Unknown value 'b'!",
      "Vantrel(8): Unknown value 'a'!"};
  EXPECT_EQ(session.messageQueue, expected);
}

TEST_F(ConditionParser, OnlyParsedValueConditionsCountAsReferences) {
  ParseCondition(session, 1, "bSneaking");
  ParseCondition(session, 2, "bSneaking == 0");
  ParseCondition(session, 3, "Faction = 5");
  ParseCondition(session, 4, "bSneak");
  EXPECT_EQ(At(Vid::bSneaking).conditionRefs, 2);
  EXPECT_EQ(At(Vid::bWalking).conditionRefs, 0);
}
