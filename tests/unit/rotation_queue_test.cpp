// Queued turns: how each mode feeds the look input over time and around the focus delay.

#include <limits>

#include "camera_fixture.h"

namespace {

RotationItem Item(int32_t axis, float amount, float duration, int32_t mode) {
  RotationItem item;
  item.axis = axis;
  item.amount = amount;
  item.duration = duration;
  item.mode = static_cast<RotationMode>(mode);
  return item;
}

}  // namespace

class RotationQueueTest : public CameraTest {
 protected:
  static float* Slots() { return StateOf(Controller()).rotationAccumulators; }
  static void ClearSlots() { std::fill(Slots(), Slots() + 4, 0.0f); }
  static size_t Queued(int axis) { return StateOf(Controller()).rotationQueues[axis].size(); }
};

TEST_F(RotationQueueTest, ATimedItemIsSpreadOverItsDuration) {
  Controller().QueueRotation(Item(0, 10, 2, 1));
  for (int frame = 0; frame < 4; ++frame) {
    ASSERT_EQ(Queued(0), 1u) << frame;
    ClearSlots();
    Controller().RunRotationQueues(0.5f);
    EXPECT_EQ(Slots()[2], 2.5f) << frame;  // mode 1: the horizontal slot of its own
    EXPECT_EQ(Slots()[0], 0.0f);
  }
  EXPECT_EQ(Queued(0), 0u);
}

TEST_F(RotationQueueTest, TheLastStepIsCutToTheRemainingTime) {
  Controller().QueueRotation(Item(1, -3, 1, 0));
  Controller().RunRotationQueues(0.75f);
  Controller().RunRotationQueues(0.75f);
  EXPECT_FLOAT_EQ(Slots()[1], -3);  // mode 0 feeds the plain vertical slot
  EXPECT_EQ(Queued(1), 0u);
}

TEST_F(RotationQueueTest, UntimedItemsApplyWholeAndKeepTheirOrder) {
  Controller().QueueRotation(Item(0, 1, 0, 2));
  Controller().QueueRotation(Item(0, 5, 10, 1));
  Controller().QueueRotation(Item(0, 2, 0, 0));
  Controller().QueueRotation(Item(1, 4, -1, 1));
  Controller().RunRotationQueues(1);
  EXPECT_EQ(Slots()[0], 3);
  EXPECT_EQ(Slots()[2], 0.5f);
  EXPECT_EQ(Slots()[3], 4);
  ASSERT_EQ(Queued(0), 1u);
  EXPECT_EQ(StateOf(Controller()).rotationQueues[0][0].amount, 5);
  EXPECT_EQ(Queued(1), 0u);
}

TEST_F(RotationQueueTest, DuringTheFocusDelayOnlyModeOneContributes) {
  Controller().QueueRotation(Item(0, 4, 2, 0));
  Controller().QueueRotation(Item(0, 4, 2, 1));
  Controller().QueueRotation(Item(1, 4, 2, 2));
  StateOf(Controller()).focusDelay = 2;
  Controller().RunRotationQueues(1);
  EXPECT_EQ(Slots()[0], 0);  // mode 0 advances without contributing
  EXPECT_EQ(Slots()[2], 2);
  EXPECT_EQ(Slots()[1], 0);
  EXPECT_EQ(Queued(1), 0u);  // mode 2 dropped at once
  ASSERT_EQ(Queued(0), 2u);
  EXPECT_EQ(StateOf(Controller()).rotationQueues[0][0].applied, 2);

  StateOf(Controller()).focusDelay = 0;
  Controller().RunRotationQueues(1);
  EXPECT_EQ(Slots()[0], 2);  // only the second half arrives
  EXPECT_EQ(Slots()[2], 4);
  EXPECT_EQ(Queued(0), 0u);
}

TEST_F(RotationQueueTest, NoTimeMeansNoProgress) {
  Controller().QueueRotation(Item(0, 1, 0, 1));
  for (float dt : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    Controller().RunRotationQueues(dt);
    EXPECT_EQ(Slots()[2], 0) << dt;
    EXPECT_EQ(Queued(0), 1u) << dt;
  }
}

TEST_F(RotationQueueTest, ItemsThatCouldNeverFinishAreNotQueued) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  Controller().QueueRotation(Item(2, 1, 0, 1));
  Controller().QueueRotation(Item(-1, 1, 0, 1));
  Controller().QueueRotation(Item(0, nan, nan, 1));
  Controller().QueueRotation(Item(0, inf, 1, 1));
  Controller().QueueRotation(Item(1, 1, inf, 1));
  EXPECT_EQ(Queued(0), 0u);
  EXPECT_EQ(Queued(1), 0u);
}

TEST_F(RotationQueueTest, TheUpdateFeedsTheQueuesWithTheFrameTime) {
  Sim().frameTimeB = 0.5f;
  Controller().QueueRotation(Item(1, 1, 1, 1));
  Frames(1);
  EXPECT_EQ(Slots()[3], 0.5f);
  float input[2] = {0, 0};
  Controller().AddLookInput(input);
  EXPECT_EQ(input[1], 0.5f);
}

TEST_F(RotationQueueTest, QueuedTurnsThatOverflowLeaveTheLookInputAsItWas) {
  Controller().QueueRotation(Item(0, 3e38f, 0, 1));
  Controller().QueueRotation(Item(0, 3e38f, 0, 1));
  Frames(1);
  float input[2] = {0.25f, 0};
  Controller().AddLookInput(input);
  EXPECT_EQ(input[0], 0.25f);
  EXPECT_EQ(Slots()[2], 0);  // taken, though not handed on
}
