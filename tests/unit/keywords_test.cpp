// Tests of the keyword name table.

#include "profiles_fixture.h"

namespace {

class KeywordsTest : public ProfilesTest {};

TEST_F(KeywordsTest, FindsByTrimmedNameIgnoringCaseAndCastsToAKeyword) {
  HostKeyword* heavy = Sim().Keyword(" ArmorHeavy ");
  EXPECT_EQ(FindKeywordByName("armorheavy"), heavy);
  EXPECT_EQ(FindKeywordByName("ArmorHeav"), nullptr);
  EXPECT_EQ(FindKeywordByName(""), nullptr);

  // An entry whose form has gone from the lookup finds nothing.
  Sim().ForgetForm(HostKeywordAsForm(heavy));
  EXPECT_EQ(FindKeywordByName("ArmorHeavy"), nullptr);
}

TEST_F(KeywordsTest, TheTableWaitsForTheGamesKeywordList) {
  HostConditionGlobal* global = Sim().conditionGlobal;
  Sim().conditionGlobal = nullptr;
  HostKeyword* early = Sim().Keyword("Early");
  global->keywords.push_back(HostKeywordAsForm(early));
  EXPECT_EQ(FindKeywordByName("Early"), nullptr);

  // The list appears later: the next lookup builds the table.
  Sim().conditionGlobal = global;
  EXPECT_EQ(FindKeywordByName("Early"), early);

  // Built once per process: a keyword that appears afterwards is not found.
  Sim().Keyword("Late");
  EXPECT_EQ(FindKeywordByName("Late"), nullptr);
}

TEST_F(KeywordsTest, AKeywordWithoutEditorNameCountsAsEmpty) {
  HostKeyword* unnamed = Sim().Keyword("placeholder");
  unnamed->editorName.reset();
  EXPECT_EQ(FindKeywordByName("placeholder"), nullptr);
  EXPECT_EQ(FindKeywordByName(""), unnamed);
}

TEST_F(KeywordsTest, ResolvingReplacesOnlyANameOperand) {
  HostKeyword* hood = Sim().Keyword("ClothingHood");
  Condition named{.operand = Operand::String("ClothingHood"), .evaluator = KeywordTest};
  ResolveKeywordOperand(&named);
  EXPECT_EQ(named.operand.type, ValueType::Int);
  EXPECT_TRUE(named.operand.isSet);
  EXPECT_EQ(named.operand.payload, HostFormId(HostKeywordAsForm(hood)));
  EXPECT_TRUE(named.operand.Text().empty());

  Condition numbered{.operand = Operand::Int(77), .evaluator = KeywordTest};
  ResolveKeywordOperand(&numbered);
  EXPECT_EQ(numbered.operand.AsInt(), 77);
}

}  // namespace
