// Where the head camera sits: the node lookup with its cache, the offsets along the node's
// axes, and what happens when the skeleton gives nothing usable.

#include <limits>

#include "camera/ref_handle.h"
#include "camera_fixture.h"
#include "values/value_ids.h"

using HeadNodeTest = CameraTest;

TEST_F(HeadNodeTest, AHumanUsesTheEyeBoneForPositionAndTheHeadForRotation) {
  PlayerNode("NPCEyeBone")->rotation = Looking(1.0f, 0);
  PlayerNode("NPC Head [Head]")->rotation = Looking(0.2f, 0.1f);
  Frames(1);
  EXPECT_EQ(Position(), (std::array<float, 3>{0, 6, 124}));
  EXPECT_TRUE(RotationsNear(Rotation(), YawPitchOrientation(0.2f, 0.1f), 0));
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, 1);
  Frames(240);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, 1);
  EXPECT_EQ(Sim().liveEngineStrings, 0);
  EXPECT_EQ(Sim().engineStringFaults, 0);
}

TEST_F(HeadNodeTest, ACreatureHeadIsFoundByTheFirstNameInTableOrder) {
  Sim().CreateCreature({"Wisp Head", "Canine_Head"}, 0x8000);
  StateOf(Controller()).requestedRefFormId = 0x8000;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, 8);
  // Without an eye bone the position comes from the same node (heights 50, 60, ...).
  EXPECT_EQ(Position(), (std::array<float, 3>{0, 0, 60}));

  Sim().CreateCreature({"Wisp Head", "Scull"}, 0x8001);
  StateOf(Controller()).requestedRefFormId = 0x8001;
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex,
            5);  // a cached name the new target lacks is dropped
}

TEST_F(HeadNodeTest, ACreatureCacheExpiresOnMultiplesOf120Frames) {
  HostActor* dog = Sim().CreateCreature({"Canine_Head"}, 0x8000);
  StateOf(Controller()).requestedRefFormId = 0x8000;
  Frames(1);
  ASSERT_EQ(StateOf(Controller()).cachedNodeIndex, 8);

  // A better name appears; the cache keeps the old one until it expires.
  Sim().AddNode(dog->loaded3D->root, "NPC Head", {0, 0, 99});
  while (StateOf(Controller()).frameCounter % 120 != 119) {
    Frames(1);
    ASSERT_EQ(StateOf(Controller()).cachedNodeIndex, 8);
  }
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, 2);
  EXPECT_EQ(Position()[2], 99);

  // Gone again: the failed cached lookup searches at once.
  dog->loaded3D->root->children.pop_back();
  Frames(1);
  EXPECT_EQ(StateOf(Controller()).cachedNodeIndex, 8);
  EXPECT_EQ(Position()[2], 50);
}

TEST_F(HeadNodeTest, OffsetsRunAlongTheNodesAxes) {
  HostNode* eye = PlayerNode("NPCEyeBone");
  eye->rotation = Looking(kPi / 2, 0);  // the node looks along +X; its X axis points to −Y
  eye->translation = {10, 20, 30};
  SetFloat(Vid::fPositionOffsetHorizontal, 1);
  SetFloat(Vid::fPositionOffsetDepth, 2);
  SetFloat(Vid::fPositionOffsetVertical, 3);
  Frames(1);
  const std::array<float, 3> p = Position();
  EXPECT_NEAR(p[0], 10 + 2, 1e-5);
  EXPECT_NEAR(p[1], 20 - 1, 1e-5);
  EXPECT_NEAR(p[2], 30 + 3, 1e-5);
}

TEST_F(HeadNodeTest, WithoutAHeadTheRootCarriesTheCamera) {
  HostNode* root = Sim().player->loaded3D->root;
  root->children.clear();
  root->translation = {5, 5, 5};
  root->rotation = Looking(0.5f, 0);
  Frames(1);
  EXPECT_EQ(Position()[0], 5);
  EXPECT_TRUE(RotationsNear(Rotation(), YawPitchOrientation(0.5f, 0), 0));
}

TEST_F(HeadNodeTest, NothingUsableLeavesTheLastView) {
  PlayerNode("NPC Head [Head]")->rotation = Looking(0.7f, 0);
  Frames(1);
  const std::array<float, 3> before = Position();
  const Matrix3 beforeRotation = Rotation();

  // Broken transforms from the game.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  PlayerNode("NPCEyeBone")->translation = {nan, 0, 0};
  PlayerNode("NPC Head [Head]")->rotation[4] = std::numeric_limits<float>::infinity();
  Frames(1);
  EXPECT_EQ(Position(), before);
  EXPECT_TRUE(RotationsNear(Rotation(), beforeRotation, 0));

  PlayerNode("NPC Head [Head]")->rotation = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  Frames(1);
  EXPECT_TRUE(RotationsNear(Rotation(), beforeRotation, 0));

  // A skeleton without a root, then no loaded 3D at all.
  Sim().player->loaded3D->root = nullptr;
  Frames(1);
  EXPECT_EQ(Position(), before);
  Sim().player->loaded3D = nullptr;
  Frames(1);
  EXPECT_EQ(Position(), before);
  EXPECT_TRUE(RotationsNear(Rotation(), beforeRotation, 0));
  EXPECT_EQ(Sim().liveEngineStrings, 0);
}

TEST_F(HeadNodeTest, RefHandlesAreResolvedAndReleasedInPairs) {
  HostRef* ref = nullptr;
  ResolveRefHandle(ref, 0);
  EXPECT_EQ(ref, nullptr);
  ResolveRefHandle(ref, Sim().invalidRefHandle);
  EXPECT_EQ(ref, nullptr);
  EXPECT_EQ(Sim().refFaults, 0);  // neither was handed to the game

  HostActor* other = Sim().CreateActor(0x9000);
  ResolveRefHandle(ref, Sim().HandleOf(other));
  ASSERT_NE(ref, nullptr);
  EXPECT_EQ(HostFormId(HostRefAsForm(ref)), 0x9000u);
  EXPECT_EQ(Sim().liveRefCounts, 1);
  ReleaseRef(ref);
  EXPECT_EQ(ref, nullptr);
  ReleaseRef(ref);
  EXPECT_EQ(Sim().liveRefCounts, 0);
  EXPECT_EQ(Sim().refFaults, 0);
}
