// Tests of the command handlers.

#include "parsed_record.h"
#include "profiles/command_table.h"
#include "profiles_fixture.h"

namespace {

class HandlersTest : public ProfilesTest {
 protected:
  void SetUp() override {
    ProfilesTest::SetUp();
    Load("[Owner]\n");
    owner = FindProfile(LiveSession(), "Owner");
  }

  // Parses one command line into `owner` and runs it against the player.
  void Run(std::string_view text, HostActor* actor = Sim().player) {
    std::unique_ptr<Command> parsed = ParseCommand(LiveSession(), owner, 1, text);
    ASSERT_NE(parsed, nullptr) << text;
    owner->commands.push_back(*parsed);
    Command* command = &owner->commands.back();
    FrameContext frame;
    frame.followed = actor ? HostActorAsRef(actor) : nullptr;
    frame.followedActor = actor;
    HandlerOf(command->id)(LiveSession(), frame, owner, command);
  }

  static KeyBindingRequest& Request(size_t i) { return LiveSession().keyBindingRequests.at(i); }

  Profile* owner = nullptr;
};

TEST_F(HandlersTest, TweenFormsDoWhatTheirPlainFormDoesOverTheirSeconds) {
  struct Case {
    const char* line;
    float halfway;  // the value after one of the two seconds
    float end;
  };
  // Each case starts from the base 5 (a load command) and the value 9.
  const Case cases[] = {
      {"SetTween fFocusSpeed 13 2", 11, 13},
      {"ModifyTween fFocusSpeed 2 2", 10, 11},
      {"ResetTween fFocusSpeed 2", 7, 5},
      {"ReturnTween fFocusSpeed 2", 8, 7},  // back to the recorded 7
  };
  for (const Case& c : cases) {
    LoadFresh("!Set fFocusSpeed 5\n[Owner]\n");
    owner = FindProfile(LiveSession(), "Owner");
    owner->savedValues[Vid::fFocusSpeed] = ValueData::Float(7);
    Run("Set fFocusSpeed 9");
    Run(c.line);
    TickValues(Values(), 1);
    EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), c.halfway) << c.line;
    TickValues(Values(), 2);
    EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), c.end) << c.line;
  }
}

TEST_F(HandlersTest, SetAndClearWithAnUnparsableOperandLeaveTheValueUnset) {
  Run("Set fFocusSpeed 3");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, -1), 3);
  Run("Set fFocusSpeed wide");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, -1), -1);
  Run("Set fFocusSpeed 4");
  Run("Clear fFocusSpeed");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, -1), -1);
}

TEST_F(HandlersTest, ModifyAddsFlipsOrDoesNothing) {
  Run("Modify iDebug2 1");  // unset: nothing to add to
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iDebug2, -1), -1);
  Run("Set iDebug2 1");
  Run("Modify iDebug2 1");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iDebug2, -1), 2);

  Run("Set iUnused1 2147483646");
  Run("Modify iUnused1 2");  // 32-bit wrap-around
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused1, 0), INT32_MIN);

  Run("Set bFocus false");
  Run("Modify bFocus true");
  EXPECT_TRUE(ValueOr<bool>(Values(), Vid::bFocus, false));
  Run("Modify bFocus true");
  EXPECT_FALSE(ValueOr<bool>(Values(), Vid::bFocus, true));
  Run("Modify bFocus false");
  EXPECT_FALSE(ValueOr<bool>(Values(), Vid::bFocus, true));

  Run("Set fFocusSpeed 1.5");
  Run("Modify fFocusSpeed 2");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), 3.5f);
}

TEST_F(HandlersTest, ModifyTweenAddsToTheTweensTarget) {
  Run("Set fFocusSpeed 70");
  Run("SetTween fFocusSpeed 90 2");
  TickValues(Values(), 1);
  Run("ModifyTween fFocusSpeed 10 2");
  Value* value = ValueAt(Values(), Vid::fFocusSpeed);
  EXPECT_EQ(GetValue(Values(), *value, false).AsFloat(), 100);
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), 80);  // continues from where it stood
  TickValues(Values(), 2);
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), 100);
}

TEST_F(HandlersTest, ResetAndReturnRestoreWhatWasRecorded) {
  LoadFresh("!Set fFocusSpeed 5\n[Owner]\n");  // load commands make 5 the base
  owner = FindProfile(LiveSession(), "Owner");
  Run("Set fFocusSpeed 9");
  Run("Reset fFocusSpeed");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), 5);

  Run("Return fFocusSpeed");  // nothing recorded: nothing happens
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), 5);
  owner->savedValues[Vid::fFocusSpeed] = ValueData::Float(2);
  Run("Return fFocusSpeed");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), 2);
  EXPECT_EQ(owner->savedValues.count(Vid::fFocusSpeed), 1u);

  // Returning while recording: the entry being restored is the one being replaced.
  StartRecording(LiveSession(), owner);
  owner->savedValues[Vid::fFocusSpeed] = ValueData::Float(7);
  Run("ReturnTween fFocusSpeed 0");
  EXPECT_EQ(ValueOr<float>(Values(), Vid::fFocusSpeed, 0), 7);
  EXPECT_EQ(owner->savedValues[Vid::fFocusSpeed].AsFloat(), 2);
  StopRecording(LiveSession());
}

TEST_F(HandlersTest, SwitchesSetTheirValueAndToggleFlipsActivation) {
  Run("Enable");
  EXPECT_TRUE(ValueOr<bool>(Values(), Vid::bEnabled, false));
  Command disable;
  HandlerOf(CommandId::Disable)(LiveSession(), kOutsideFrame, nullptr, &disable);
  EXPECT_FALSE(ValueOr<bool>(Values(), Vid::bEnabled, true));
  Run("Activate");
  EXPECT_TRUE(ValueOr<bool>(Values(), Vid::bActivated, false));
  Run("Deactivate");
  EXPECT_FALSE(ValueOr<bool>(Values(), Vid::bActivated, true));

  ToggleBool(Values(), Vid::bActivated);
  EXPECT_TRUE(ValueOr<bool>(Values(), Vid::bActivated, false));
  ToggleBool(Values(), Vid::bActivated);
  EXPECT_FALSE(ValueOr<bool>(Values(), Vid::bActivated, true));
  Run("Clear bActivated");
  ToggleBool(Values(), Vid::bActivated);  // unset counts as off
  EXPECT_TRUE(ValueOr<bool>(Values(), Vid::bActivated, false));
}

TEST_F(HandlersTest, PersonCommandsCallTheHostCameraOnlyWhenItExists) {
  Run("GoThirdPerson");
  Run("ForceThirdPerson");
  Run("GoFirstPerson");
  Run("ForceFirstPerson");
  owner->cameraAtActivation = CameraAtActivation::HeadCamera;
  Run("ReturnPerson");
  owner->cameraAtActivation = CameraAtActivation::FirstPerson;
  Run("ReturnPerson");
  owner->cameraAtActivation = CameraAtActivation::Other;
  Run("ReturnPerson");
  using C = SimCameraCall;
  EXPECT_EQ(Sim().playerCamera->personCalls,
            (std::vector<C>{C::GoThirdPerson, C::ForceThirdPerson, C::GoFirstPerson,
                            C::ForceFirstPerson, C::GoThirdPerson, C::GoFirstPerson}));

  HostCamera* camera = Sim().playerCamera;
  Sim().playerCamera = nullptr;
  Run("GoFirstPerson");
  owner->cameraAtActivation = CameraAtActivation::FirstPerson;
  Run("ReturnPerson");
  EXPECT_EQ(camera->personCalls.size(), 6u);
}

TEST_F(HandlersTest, InhibitAndReloadMarkTheSession) {
  Profile* combat = FindProfile(LiveSession(), "Owner");
  Run("Inhibit owner 3");
  EXPECT_EQ(combat->inhibitSeconds, 3);
  Run("Inhibit Owner");
  EXPECT_EQ(combat->inhibitSeconds, 0);
  Run("Inhibit Owner forever");
  EXPECT_EQ(combat->inhibitSeconds, -1);
  Run("Inhibit Nobody 5");
  EXPECT_EQ(combat->inhibitSeconds, -1);

  EXPECT_EQ(LiveSession().reloadRequested, 0);
  Run("Reload");
  EXPECT_EQ(LiveSession().reloadRequested, 1);
}

TEST_F(HandlersTest, KeyCommandsQueueUnpackedRequests) {
  Run("BindKey -112 5 Combat 2.5");
  Run("BindKey2 0x2A 1 Flash");
  Run("UnBindKey 42 3");
  Run("UnBindKey -42");
  ASSERT_EQ(LiveSession().keyBindingRequests.size(), 4u);

  EXPECT_EQ(Request(0).key, 112);
  EXPECT_EQ(Request(0).modifiers, 5);
  EXPECT_FALSE(Request(0).pressEdge);
  EXPECT_TRUE(Request(0).bind);
  EXPECT_EQ(Request(0).profileName, "Combat");
  EXPECT_EQ(Request(0).profileIndex, -1);
  EXPECT_EQ(Request(0).seconds, 2.5f);

  EXPECT_EQ(Request(1).key, 42);
  EXPECT_EQ(Request(1).modifiers, 0x21);
  EXPECT_TRUE(Request(1).pressEdge);

  EXPECT_EQ(Request(2).key, 42);
  EXPECT_EQ(Request(2).modifiers, 0);
  EXPECT_TRUE(Request(2).pressEdge);
  EXPECT_FALSE(Request(2).bind);
  EXPECT_FALSE(Request(3).pressEdge);

  // A key word of 0 never makes a request; a number operand names the profile by index.
  Command byIndex;
  byIndex.keyWord = 0;
  byIndex.operand = Operand::Int(3);
  HandlerOf(CommandId::BindKey)(LiveSession(), kOutsideFrame, nullptr, &byIndex);
  HandlerOf(CommandId::UnBindKey)(LiveSession(), kOutsideFrame, nullptr, &byIndex);
  EXPECT_EQ(LiveSession().keyBindingRequests.size(), 4u);
  byIndex.keyWord = 0x0004007B;
  HandlerOf(CommandId::BindKey)(LiveSession(), kOutsideFrame, nullptr, &byIndex);
  ASSERT_EQ(LiveSession().keyBindingRequests.size(), 5u);
  EXPECT_EQ(Request(4).key, 123);
  EXPECT_EQ(Request(4).modifiers, 4);
  EXPECT_EQ(Request(4).profileIndex, 3);
}

TEST_F(HandlersTest, AttachCameraFollowsTheCrosshairReference) {
  CameraController& controller = Plugin::Instance().controller;
  HostRef* crate = Sim().CreateReference(0x00ABCDEF);
  Sim().SetCrosshairRef(crate);
  Run("AttachCamera");
  EXPECT_EQ(StateOf(controller).requestedRefFormId, 0x00ABCDEFu);

  Sim().SetCrosshairRef(nullptr);
  Run("AttachCamera");
  EXPECT_EQ(StateOf(controller).requestedRefFormId, 0u);

  Sim().invalidRefHandle = 0x00FFFFFF;
  Sim().crosshairRef->handle = 0x00FFFFFF;
  StateOf(controller).requestedRefFormId = 5;
  Run("AttachCamera");
  EXPECT_EQ(StateOf(controller).requestedRefFormId, 0u);

  Sim().SetCrosshairRef(crate);
  Run("AttachCamera");
  Run("DetachCamera");
  EXPECT_EQ(StateOf(controller).requestedRefFormId, 0u);
  Sim().crosshairRef = nullptr;
  StateOf(controller).requestedRefFormId = 5;
  Run("AttachCamera");
  EXPECT_EQ(StateOf(controller).requestedRefFormId, 0u);

  EXPECT_EQ(Sim().liveRefCounts, 0);
  EXPECT_EQ(Sim().refFaults, 0);
}

TEST_F(HandlersTest, RotationsQueueOneItemOnTheirAxis) {
  CameraController& controller = Plugin::Instance().controller;
  Run("RotateY 0.5 1 7");
  Run("RotateX 15 0.5 2");
  Run("RotateX 3");
  ASSERT_EQ(StateOf(controller).rotationQueues[1].size(), 1u);
  const RotationItem& vertical = StateOf(controller).rotationQueues[1][0];
  EXPECT_EQ(vertical.amount, 0.5f);
  EXPECT_EQ(vertical.duration, 1.0f);
  EXPECT_EQ(vertical.axis, 1);
  EXPECT_EQ(vertical.mode, RotationMode::Independent);  // 7 is not a mode
  EXPECT_EQ(vertical.applied, 0);
  EXPECT_EQ(vertical.elapsed, 0);
  ASSERT_EQ(StateOf(controller).rotationQueues[0].size(), 2u);
  EXPECT_EQ(StateOf(controller).rotationQueues[0][0].amount, 15.0f);
  EXPECT_EQ(StateOf(controller).rotationQueues[0][0].mode, RotationMode::Focus);
  EXPECT_EQ(StateOf(controller).rotationQueues[0][0].axis, 0);
  EXPECT_EQ(StateOf(controller).rotationQueues[0][1].mode,
            RotationMode::Independent);  // no mode written
}

TEST_F(HandlersTest, AnimationEventsReachOnlyAnActorTarget) {
  Run("SendAnimEvent  weapon Draw");
  EXPECT_EQ(Sim().player->animEvents, std::vector<std::string>{"weapon Draw"});
  Run("SendAnimEvent other", nullptr);
  EXPECT_EQ(Sim().player->animEvents.size(), 1u);
  EXPECT_EQ(Sim().liveEngineStrings, 0);
  EXPECT_EQ(Sim().engineStringFaults, 0);
}

TEST_F(HandlersTest, LoadCommandsRunWithoutATarget) {
  LoadFresh("!SendAnimEvent x\n!Set iUnused5 1\n");
  EXPECT_EQ(ValueOr<int32_t>(Values(), Vid::iUnused5, 0), 1);
  EXPECT_TRUE(Sim().player->animEvents.empty());
}

}  // namespace
