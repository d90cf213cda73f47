// Start-up and reload: the loader's query, the first-start line, the refused nested reload and
// what a reload carries over.
#include "plugin/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/loader.h"
#include "controller_state.h"
#include "plugin/plugin.h"
#include "sim_world.h"

namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Sim().Reset();
    Plugin::Instance().Reset();
    path_ = (std::filesystem::temp_directory_path() /
             ("vantrel_startup_" + std::to_string(::getpid()) + ".txt"))
                .string();
    SetConfigurationPath(path_);
  }
  void TearDown() override {
    Plugin::Instance().Reset();
    std::remove(path_.c_str());
  }
  void WriteConfiguration(const std::string& text) { std::ofstream(path_) << text; }
  static void InitializeOrReload() { Plugin::Instance().InitializeOrReload(); }
  static Session* Live() {
    return Plugin::Instance().WithSession([](Session& session) { return &session; });
  }
  static ValueRegistry& Values() { return Live()->values; }

  std::string path_;
};

TEST(QueryTest, AcceptsOnlyTheOneRuntimeOutsideTheEditor) {
  struct Case {
    uint32_t runtime;
    uint32_t editor;
    bool accepted;
  } cases[] = {{0x09200000, 0, true}, {0x09200001, 0, false}, {0x09100000, 0, false},
               {0x09200000, 1, false}};
  for (const Case& c : cases) {
    LoaderInterface loader{1, c.runtime, 0, c.editor};
    PluginInfo info{99, nullptr, 99};
    EXPECT_EQ(WOBKPlugin_Query(&loader, &info), c.accepted) << std::hex << c.runtime;
    EXPECT_EQ(info.infoVersion, 1u);
    ASSERT_NE(info.name, nullptr);
    EXPECT_STREQ(info.name, "vantrel");
    EXPECT_EQ(info.version, 2u);
  }
}

TEST_F(StartupTest, VersionLineOnlyOnTheFirstStart) {
  WriteConfiguration("");
  LoaderInterface loader{1, kAcceptedRuntimeVersion, 0, 0};
  ASSERT_TRUE(WOBKPlugin_Load(&loader));
  ASSERT_NE(Live(), nullptr);
  ASSERT_EQ(Live()->messageQueue.size(), 2u);
  EXPECT_EQ(Live()->messageQueue[0], "Vantrel: Initializing QARN version 2.7");
  EXPECT_EQ(Live()->messageQueue[1], "Vantrel: Loaded 1 profiles from configuration file.");

  const Session* first = Live();
  InitializeOrReload();
  EXPECT_NE(Live(), first);
  ASSERT_EQ(Live()->messageQueue.size(), 1u);
  EXPECT_EQ(Live()->messageQueue[0], "Vantrel: Loaded 1 profiles from configuration file.");
}

TEST_F(StartupTest, ReloadWhileLoadingIsRefusedAndChangesNothing) {
  WriteConfiguration("[A]\n(bSneaking)\n");
  InitializeOrReload();
  Session* session = Live();
  session->loading = true;
  const size_t queued = session->messageQueue.size();

  InitializeOrReload();

  EXPECT_EQ(Live(), session);
  EXPECT_TRUE(session->loading);
  EXPECT_EQ(session->profiles.size(), 2u);
  ASSERT_EQ(session->messageQueue.size(), queued + 1);
  EXPECT_EQ(session->messageQueue.back(),
            "Vantrel(0): Trying to reload configuration while already loading!");
  session->loading = false;
}

TEST_F(StartupTest, ReloadReadsTheFileAgainIntoAFreshSession) {
  WriteConfiguration("[A]\n(bSneaking)\n");
  InitializeOrReload();
  EXPECT_EQ(Live()->profiles.size(), 2u);
  EXPECT_EQ(ValueAt(Values(), Vid::bSneaking)->conditionRefs, 1);

  WriteConfiguration("[A]\n(bSneaking)\n[B]\n(bSneaking)\n");
  InitializeOrReload();
  EXPECT_EQ(Live()->profiles.size(), 3u);
  // Counted afresh, not added to the old count.
  EXPECT_EQ(ValueAt(Values(), Vid::bSneaking)->conditionRefs, 2);
  EXPECT_FALSE(Live()->loading);
}

TEST_F(StartupTest, ReloadMakesTheCameraFollowThePlayerAgain) {
  WriteConfiguration("");
  InitializeOrReload();
  StateOf(Plugin::Instance().controller).requestedRefFormId = 0x1234;
  InitializeOrReload();
  EXPECT_EQ(StateOf(Plugin::Instance().controller).requestedRefFormId, 0u);
}

TEST_F(StartupTest, HostValueCapturedBeforeAReloadStaysTheResetTarget) {
  // The first load captures the game's field of view (75) and sets its own.
  WriteConfiguration("!Set fFOV 90\n");
  InitializeOrReload();
  Value* fov = ValueAt(Values(), Vid::fFOV);
  ASSERT_NE(fov, nullptr);
  ASSERT_TRUE(fov->base.isSet);
  EXPECT_FLOAT_EQ(fov->base.AsFloat(), 75.0f);
  EXPECT_TRUE(fov->baseCaptured);

  // By now the game shows the plug-in's value.
  Sim().playerCamera->fieldOfView = 90;
  InitializeOrReload();
  fov = ValueAt(Values(), Vid::fFOV);
  ASSERT_TRUE(fov->base.isSet);
  EXPECT_FLOAT_EQ(fov->base.AsFloat(), 75.0f);

  ResetValue(Values(), Vid::fFOV, 0);
  float value = 0;
  ASSERT_TRUE(GetFloat(Values(), Vid::fFOV, value));
  EXPECT_FLOAT_EQ(value, 75.0f);
}

TEST_F(StartupTest, DefaultProfileIsCurrentAfterLoading) {
  WriteConfiguration("!Set fPositionOffsetDepth 5\n[A]\n(bSneaking)\n");
  InitializeOrReload();
  ASSERT_NE(Live()->defaultProfile, nullptr);
  EXPECT_EQ(Live()->currentProfile, Live()->defaultProfile);
  // Set while capturing defaults: the value's reset target.
  Value* depth = ValueAt(Values(), Vid::fPositionOffsetDepth);
  ASSERT_TRUE(depth->base.isSet);
  EXPECT_FLOAT_EQ(depth->base.AsFloat(), 5.0f);
  EXPECT_FALSE(Values().captureDefaults);
}

}  // namespace
