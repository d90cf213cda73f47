// Tests of the console channels and their escaping of percent signs.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/diagnostics.h"
#include "sim_world.h"
#include "profiles/session.h"
#include "values_fixture.h"

namespace {

class Diagnostics : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    Sim().Reset();
  }
  const std::vector<std::string>& Shown() { return Sim().console->lines; }
};

// The line as two 256-byte snprintf buffers would hold it.
std::string Composed(int line, const char* format, const std::string& argument) {
  char message[256];
  char composed[256];
  if (std::snprintf(message, sizeof message, format, argument.c_str()) < 0 ||
      std::snprintf(composed, sizeof composed, "Vantrel(%d): %s", line, message) < 0) {
    return {};
  }
  return composed;
}

}  // namespace

TEST(EscapePercentTest, DoublesEverySign) {
  EXPECT_EQ(EscapePercent(""), "");
  EXPECT_EQ(EscapePercent("a%b%%c%"), "a%%b%%%%c%%");
  EXPECT_EQ(EscapePercent("100%d"), "100%%d");
}

TEST_F(Diagnostics, ChannelsAndPercentSigns) {
  LogAtLine(session.messageQueue, 3, "Unknown value '%s'!", "a%b");
  Log(session.messageQueue, "Loaded %d profiles from configuration file.", 4);
  EXPECT_EQ(session.messageQueue.front(), "Vantrel(3): Unknown value 'a%%b'!");
  DrainMessages(session.messageQueue);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Vantrel(3): Unknown value 'a%b'!",
                                               "Vantrel: Loaded 4 profiles from configuration file."}));
  EXPECT_TRUE(session.messageQueue.empty());
  EXPECT_EQ(Sim().consoleFormatFaults, 0);
}

TEST_F(Diagnostics, LongLinesAreCutLikeTheBuffersWithoutBreakingEscapes) {
  for (const std::string& name :
       {std::string(400, 'n'), std::string(400, '%'), std::string(220, 'n') + std::string(30, '%'),
        std::string(225, 'n') + "%d%s"}) {
    session.messageQueue.clear();
    Sim().console->lines.clear();
    LogAtLine(session.messageQueue, 12, "Unknown value '%s'!", name.c_str());
    const std::string expected = Composed(12, "Unknown value '%s'!", name);
    EXPECT_EQ(expected.size(), 255u);
    EXPECT_EQ(session.messageQueue.front(), EscapePercent(expected));
    DrainMessages(session.messageQueue);
    EXPECT_EQ(Shown(), std::vector<std::string>{expected});
  }
  EXPECT_EQ(Sim().consoleFormatFaults, 0);
}

TEST_F(Diagnostics, DebugLevelGate) {
  const auto debugLines = [&](ValueData iDebug, int32_t level) {
    session.messageQueue.clear();
    SetValue(registry, Vid::iDebug, iDebug, 0);
    LogDebug(session, level, "Activating profile %s.", "Combat");
    return session.messageQueue.size();
  };
  EXPECT_EQ(debugLines(ValueData::Unset(ValueType::Int), 1), 0u);
  EXPECT_EQ(debugLines(ValueData::Int(0), 1), 0u);
  EXPECT_EQ(debugLines(ValueData::Int(3), 1), 0u);
  EXPECT_EQ(debugLines(ValueData::Int(3), 0), 1u);
  EXPECT_EQ(debugLines(ValueData::Int(1), 2), 0u);
  EXPECT_EQ(debugLines(ValueData::Int(2), 2), 1u);
  EXPECT_EQ(debugLines(ValueData::Int(1), 1), 1u);
  EXPECT_EQ(session.messageQueue.front(), "Vantrel(DEBUG): Activating profile Combat.");
}

TEST_F(Diagnostics, LinesWaitForTheConsoleInOrder) {
  HostConsole* console = Sim().console;
  Sim().console = nullptr;
  for (int line = 1; line <= 3; ++line) LogAtLine(session.messageQueue, line, "Invalid name!");
  DrainMessages(session.messageQueue);
  EXPECT_EQ(session.messageQueue.size(), 3u);
  Sim().console = console;
  DrainMessages(session.messageQueue);
  EXPECT_TRUE(session.messageQueue.empty());
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Vantrel(1): Invalid name!",
                                               "Vantrel(2): Invalid name!",
                                               "Vantrel(3): Invalid name!"}));
}
