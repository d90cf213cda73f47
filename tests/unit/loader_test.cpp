// Tests of the configuration loader and its line reader.

#include <gtest/gtest.h>

#include <string>

#include "config/loader.h"
#include "profiles/driver.h"
#include "sim_world.h"
#include "values_fixture.h"

namespace {

using Lines = std::deque<std::string>;

class Loader : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    Sim().Reset();
  }
  // Loads the text and returns the console lines it queued.
  Lines Load(std::string_view text) {
    LoadConfigurationText(session, text);
    return session.messageQueue;
  }
  const Profile& ProfileAt(size_t index) { return session.profiles.at(index); }
};

std::vector<std::string> ReadAll(std::string_view bytes) {
  LineReader reader(bytes);
  std::vector<std::string> lines;
  for (std::string line; reader.Next(line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(LineReaderTest, TextModePiecesAndNul) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ReadAll(""), V{});
  EXPECT_EQ(ReadAll("a\r\nb\rc\n\nd"), (V{"a\n", "b\rc\n", "\n", "d"}));
  EXPECT_EQ(ReadAll(std::string_view("ab\0cd\nef", 8)), (V{"ab", "ef"}));
  const std::string longLine(2500, 'x');
  EXPECT_EQ(ReadAll(longLine + "\n"),
            (V{longLine.substr(0, 1023), longLine.substr(0, 1023), longLine.substr(0, 454) + "\n"}));
  // CR LF counts as the one character it arrives as.
  EXPECT_EQ(ReadAll(std::string(1022, 'y') + "\r\nz"), (V{std::string(1022, 'y') + "\n", "z"}));
  EXPECT_EQ(ReadAll(std::string(1023, 'y') + "\n").size(), 2u);
  // Ctrl-Z ends the input; the text before it on its line still counts.
  EXPECT_EQ(ReadAll("a\nb\x1A" "c\nd\n\x1A"), (V{"a\n", "b"}));
  EXPECT_EQ(ReadAll("\x1A" "a\n"), V{});
}

// Line ends at the piece boundary, CRs that are not part of a line end, and NULs; the loader's
// views must be the delivered lines without their LF.
TEST(LineReaderTest, LineEndsAtPieceBoundariesAndViews) {
  using V = std::vector<std::string>;
  const std::string y1021(1021, 'y');
  const std::string y1023(1023, 'y');
  const struct {
    std::string bytes;
    V lines;
  } cases[] = {
      {y1023 + "\r\n", {y1023, "\n"}},
      {y1021 + "\r\r\n" + "z", {y1021 + "\r\n", "z"}},
      {std::string(1022, 'y') + "\r\r\n", {std::string(1022, 'y') + "\r", "\n"}},
      {"a\r\r\nb\r", {"a\r\n", "b\r"}},
      {std::string("a\0\r\nb\0", 6), {"a", "b"}},
      {"\r\n\r\n", {"\n", "\n"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadAll(c.bytes), c.lines);
    LineReader reader(c.bytes);
    std::string_view text;
    for (const std::string& line : c.lines) {
      ASSERT_TRUE(reader.Next(text));
      EXPECT_EQ(text, line.ends_with('\n') ? std::string_view(line).substr(0, line.size() - 1)
                                            : std::string_view(line));
    }
    EXPECT_FALSE(reader.Next(text));
  }
}

TEST_F(Loader, WorkedExample) {
  const Lines lines = Load(
      "; camera settings\n!Set fFOV 75\n(bSneaking)\n[Sneak]\n(bSneaking)\n"
      "Set fPositionOffsetDepth 5\n-Return fPositionOffsetDepth\n{Overlay\n");
  EXPECT_EQ(lines, (Lines{"Vantrel(3): Found condition for default profile! Ignoring line.",
                          "Vantrel(8): Invalid name!",
                          "Vantrel: Loaded 3 profiles from configuration file."}));
  ASSERT_EQ(session.profiles.size(), 3u);
  EXPECT_EQ(session.defaultProfile, &ProfileAt(0));
  EXPECT_EQ(session.currentProfile, &ProfileAt(0));
  EXPECT_EQ(ProfileAt(0).name, "__Default");
  EXPECT_EQ(ProfileAt(1).name, "Sneak");
  EXPECT_EQ(ProfileAt(1).type, ProfileType::Exclusive);
  EXPECT_EQ(ProfileAt(1).conditions.size(), 1u);
  EXPECT_EQ(ProfileAt(1).commands.size(), 2u);
  EXPECT_EQ(ProfileAt(2).name, "Overlay");
  EXPECT_EQ(ProfileAt(2).type, ProfileType::Parallel);
  EXPECT_EQ(ProfileAt(2).index, 2);
  float fov = 0;
  EXPECT_TRUE(GetFloat(registry, Vid::fFOV, fov));
  EXPECT_EQ(fov, 75.0f);  // the default profile's load command ran
  EXPECT_FALSE(registry.captureDefaults);
}

TEST_F(Loader, EmptyAndMissingFiles) {
  EXPECT_EQ(Load(""), Lines{"Vantrel: Loaded 1 profiles from configuration file."});
  ASSERT_EQ(session.profiles.size(), 1u);
  EXPECT_EQ(ProfileAt(0).name, "__Default");
  EXPECT_EQ(ProfileAt(0).type, ProfileType::Default);

  Session fresh;
  SetConfigurationPath("/nonexistent/Vantrel.txt");
  EXPECT_FALSE(LoadConfiguration(fresh));
  SetConfigurationPath("Data\\WOBK\\Plugins\\Vantrel.txt");
  EXPECT_EQ(fresh.messageQueue, Lines{"Vantrel(0): File is missing!"});
  EXPECT_TRUE(fresh.profiles.empty());
  EXPECT_EQ(fresh.defaultProfile, nullptr);
}

TEST_F(Loader, HeaderNamesAndTypes) {
  Load("[Combat]\n[ Combat ]\n[A]B]\n[Combat] ; note\n[Open\n[]\n{Overlay}\n{O}x}\n");
  const std::pair<const char*, ProfileType> expected[] = {
      {"Combat", ProfileType::Exclusive}, {" Combat ", ProfileType::Exclusive},
      {"A]B", ProfileType::Exclusive},    {"Combat", ProfileType::Exclusive},
      {"Open", ProfileType::Exclusive},   {"", ProfileType::Exclusive},
      {"Overlay", ProfileType::Parallel}, {"O}x", ProfileType::Parallel}};
  ASSERT_EQ(session.profiles.size(), 9u);
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(ProfileAt(i + 1).name, expected[i].first);
    EXPECT_EQ(ProfileAt(i + 1).type, expected[i].second);
  }
  EXPECT_EQ(session.messageQueue.front(), "Vantrel(5): Invalid name!");
}

TEST_F(Loader, MessagesComeAtBlockEndConditionsFirst) {
  const Lines lines =
      Load("Set fFOV 90 ; note\n[A]\n(\nFrob\n()\n(bSneaking) junk)\n  # c\n(b_x)\n[B\n");
  EXPECT_EQ(lines, (Lines{"Vantrel(3): Invalid syntax for condition! Ignoring line.",
                          "Vantrel(5): Invalid syntax for condition!",
                          "Vantrel(8): Unknown value 'b'!", "Vantrel(4): Unknown command 'Frob'!",
                          "Vantrel(9): Invalid name!",
                          "Vantrel: Loaded 3 profiles from configuration file."}));
  ASSERT_EQ(ProfileAt(1).conditions.size(), 1u);
  EXPECT_EQ(ProfileAt(1).conditions[0].valueIndex, Vid::bSneaking);
  EXPECT_EQ(ProfileAt(0).commands.size(), 1u);
}

TEST_F(Loader, LongLinesCountAsSeveralLines) {
  const Lines lines = Load(";" + std::string(2499, ' ') + "\n(x)\n[A\n");
  EXPECT_EQ(lines.at(0), "Vantrel(4): Found condition for default profile! Ignoring line.");
  EXPECT_EQ(lines.at(1), "Vantrel(5): Invalid name!");
}

TEST_F(Loader, SkipDisableAndDuplicateNames) {
  Load("[A]\nskip\n[B]\n(bSneaking)\nskip\ndisable\n[C]\ndisable\nskip\n[A]\n");
  ASSERT_EQ(session.profiles.size(), 4u);
  EXPECT_EQ(ProfileAt(1).state, ProfileState::Skipped);
  EXPECT_EQ(ProfileAt(2).name, "C");
  EXPECT_EQ(ProfileAt(2).index, 2);
  EXPECT_EQ(ProfileAt(2).state, ProfileState::Skipped);
  EXPECT_EQ(ProfileAt(3).name, "A");
  EXPECT_EQ(ProfileAt(3).index, 3);
  // The discarded block's condition was counted before the block was dropped.
  EXPECT_EQ(At(Vid::bSneaking).conditionRefs, 1);
}

TEST_F(Loader, DisabledDefaultLeavesNoDefaultProfile) {
  Load("disable\n[A]\n");
  ASSERT_EQ(session.profiles.size(), 1u);
  EXPECT_EQ(ProfileAt(0).name, "A");
  EXPECT_EQ(ProfileAt(0).index, 0);
  EXPECT_EQ(session.defaultProfile, nullptr);
}

TEST_F(Loader, ProfilesAreFoundByNameAmongMany) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "[Profile " + std::to_string(i) + "]\n";
  Load(text + "[PROFILE 7]\n");
  for (int i = 0; i < 300; i += 7) {
    EXPECT_EQ(FindProfile(session, "pROFILE " + std::to_string(i)), &ProfileAt(i + 1)) << i;
  }
  EXPECT_EQ(FindProfile(session, "Profile 300"), nullptr);
  EXPECT_EQ(FindProfile(session, "Profile 7 "), nullptr);
  EXPECT_EQ(FindProfile(session, "__default"), &ProfileAt(0));
}
