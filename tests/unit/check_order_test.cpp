// Lines that break two rules at once: the console shows the message of the check that comes
// first, and only that one. Each case would show another message if two checks were swapped.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "config/loader.h"
#include "values_fixture.h"

namespace {

using Lines = std::deque<std::string>;

class CheckOrder : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    Sim().Reset();
  }
  // The console lines a fresh load of `text` writes, without its closing "Loaded" line.
  Lines Load(std::string_view text) {
    Session& fresh = FreshSession();
    LoadConfigurationText(fresh, text);
    Lines lines = fresh.messageQueue;
    EXPECT_TRUE(!lines.empty() && lines.back().starts_with("Vantrel: Loaded")) << text;
    if (!lines.empty()) lines.pop_back();
    return lines;
  }
};

}  // namespace

TEST_F(CheckOrder, TheFirstBrokenRuleOfALineIsTheOneReported) {
  const struct {
    const char* text;
    Lines lines;
  } cases[] = {
      // Loader: an unclosed "(" is refused before the default block refuses conditions, and
      // the default block refuses a condition before its text is parsed.
      {"(\n", {"Vantrel(1): Invalid syntax for condition! Ignoring line."}},
      {" (bWalk\n", {"Vantrel(1): Invalid syntax for condition! Ignoring line."}},
      {"( b_x)\n", {"Vantrel(1): Found condition for default profile! Ignoring line."}},
      {"[A]\n(b_x\n", {"Vantrel(2): Invalid syntax for condition! Ignoring line."}},
      // Conditions: the name is read before it is looked up; a bad operand is never reported.
      {"[A]\n( b_x)\n", {"Vantrel(2): Invalid syntax for condition!"}},
      {"[A]\n(b_x >= zz)\n", {"Vantrel(2): Unknown value 'b'!"}},
      // Key bindings: both numbers and the name are read before either number is checked,
      // and the key is checked before the modifier.
      {"BindKey 5X\n", {"Vantrel(1): Invalid syntax for command! Key modifier is expected."}},
      {"BindKey 08 Combat\n",
       {"Vantrel(1): Invalid syntax for command! Key modifier is expected."}},
      {"BindKey2 5X 1X Combat\n",
       {"Vantrel(1): Invalid syntax for command! Key is expected as integer value."}},
      // Tweens: an unknown value stops the line before its length is read.
      {"ResetTween fFOX slow\n", {"Vantrel(1): Unknown value 'fFOX'!"}},
      {"SetTween fFOX 90 slow\n", {"Vantrel(1): Unknown value 'fFOX'!"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Load(c.text), c.lines) << c.text;
}
