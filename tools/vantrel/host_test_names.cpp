// The condition kinds that ask the game about the actor, by their names in the file.

#include "host_test_names.h"

#include "profiles/evaluators.h"

namespace {

struct HostTestName {
  ConditionEvaluator evaluator;
  const char* name;
};

constexpr HostTestName kHostTests[] = {
    {FactionTest, "Faction"},
    {PerkTest, "Perk"},
    {KeywordTest, "Keyword"},
    {WornKeywordTest, "WornHasKeyword"},
    {MagicEffectKeywordTest, "MagicEffectKeyword"},
};

}  // namespace

const char* HostTestNameOf(ConditionEvaluator evaluator) {
  for (const HostTestName& test : kHostTests) {
    if (test.evaluator == evaluator) return test.name;
  }
  return nullptr;
}

std::vector<std::string> HostTestNames() {
  std::vector<std::string> names;
  for (const HostTestName& test : kHostTests) names.push_back(test.name);
  return names;
}
