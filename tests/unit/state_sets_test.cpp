// The small tables the controller decides by, each checked in full: every camera state id in
// and out of each set, and every modifier mask against every held modifier key.

#include <gtest/gtest.h>

#include <set>

#include "camera/state_sets.h"
#include "profiles/key_bindings.h"
#include "sim_world.h"

namespace {

// Every id from below the range to beyond the 32 bits of a set answers as the set says.
void ExpectExactly(bool (*inSet)(int32_t), const std::set<int32_t>& members) {
  for (int32_t id = -2; id <= 40; ++id) EXPECT_EQ(inSet(id), members.count(id) == 1) << id;
  EXPECT_FALSE(inSet(INT32_MIN));
  EXPECT_FALSE(inSet(INT32_MAX));
}

TEST(CameraStateSets, HeadCamera) {
  ExpectExactly(IsHeadCameraStateId, {2, 5, 6, 8, 9, 10, 11, 12});
}
TEST(CameraStateSets, YawPitch) { ExpectExactly(IsYawPitchStateId, {9, 10, 12}); }
TEST(CameraStateSets, HeadTracking) { ExpectExactly(IsHeadTrackingStateId, {3, 5, 8, 9, 10, 12}); }
TEST(CameraStateSets, ClearedOffsets) {
  ExpectExactly(IsClearedOffsetStateId, {5, 6, 8, 9, 10, 11, 12});
}

TEST(ModifierKeys, AChordNeedsExactlyTheKeysOfItsModifiers) {
  struct Modifier {
    int32_t flag;
    int32_t virtualKey;
  };
  const Modifier modifiers[] = {
      {KeyModifier::Ctrl, 0x11}, {KeyModifier::Shift, 0x10}, {KeyModifier::Alt, 0x12}};
  constexpr int32_t kF1 = 112;
  Sim().Reset();
  // Every mask of the three modifiers (and the run flag, which needs no key) against every
  // set of held modifier keys, with the chord's own key down and up.
  for (int32_t held = 0; held < 8; ++held) {
    for (int32_t i = 0; i < 3; ++i) Sim().SetKeyDown(modifiers[i].virtualKey, (held >> i) & 1);
    for (int32_t mask = 0; mask < 8; ++mask) {
      int32_t flags = KeyModifier::RunsProfile;
      for (int32_t i = 0; i < 3; ++i) {
        if ((mask >> i) & 1) flags |= modifiers[i].flag;
      }
      Sim().SetKeyDown(kF1, true);
      EXPECT_EQ(IsKeyChordDown(kF1, flags), (mask & held) == mask) << mask << " " << held;
      EXPECT_EQ(IsKeyChordDown(kF1, flags & ~KeyModifier::RunsProfile), (mask & held) == mask);
      Sim().SetKeyDown(kF1, false);
      EXPECT_FALSE(IsKeyChordDown(kF1, flags)) << mask << " " << held;
    }
  }
  Sim().Reset();
}

}  // namespace
