// Tests of the hand classification and the aim and attack values.

#include <gtest/gtest.h>

#include "values/updaters.h"
#include "values_fixture.h"

namespace {

class HandsTest : public SimRegistryTest {
 protected:
  void SetUp() override {
    SimRegistryTest::SetUp();
    combat = Sim().combatState;
    hands = Sim().player->aiProcess;
  }

  // Every aim and attack value, refreshed in one pass.
  void PassAllHands() {
    Pass({Vid::bAimMagic, Vid::bAimMagicLeft, Vid::bAimMagicRight, Vid::bAimBow, Vid::bAimCrossbow,
          Vid::bAttackAnyHanded, Vid::bAttackAnyHandedLeft, Vid::bAttackAnyHandedRight,
          Vid::bAttackOneHanded, Vid::bAttackOneHandedLeft, Vid::bAttackOneHandedRight,
          Vid::bAttackTwoHanded});
  }
  bool Read(int32_t index) { return At(index).current.AsBool(); }

  HostCombatState* combat = nullptr;
  HostAiProcess* hands = nullptr;
};

TEST_F(HandsTest, SpellInTheActiveRightHand) {
  combat->rightActive = 1;
  hands->rightHand = Sim().CreateSpell();
  hands->leftHand = Sim().CreateSpell();  // not active: not looked at
  PassAllHands();
  EXPECT_TRUE(Read(Vid::bAimMagic));
  EXPECT_TRUE(Read(Vid::bAimMagicRight));
  EXPECT_FALSE(Read(Vid::bAimMagicLeft));
  EXPECT_EQ(activeHands, 1u);
  EXPECT_EQ(handClass, RightHand(HandClass::Magic));
}

TEST_F(HandsTest, HandsBecomeActiveThroughTheirCombatStateBytes) {
  hands->rightHand = Sim().CreateWeapon(1);
  hands->leftHand = Sim().CreateForm(SimFormType::MagicItem);
  combat->handMode = 2;
  combat->leftActive = 1;
  PassAllHands();
  EXPECT_EQ(activeHands, 3u);
  EXPECT_TRUE(Read(Vid::bAttackOneHandedRight));
  EXPECT_TRUE(Read(Vid::bAimMagicLeft));
  EXPECT_FALSE(Read(Vid::bAttackOneHandedLeft));

  combat->handMode = 1;
  combat->leftActive = 0;
  PassAllHands();
  EXPECT_EQ(activeHands, 0u);
  EXPECT_EQ(handClass, 0u);
}

TEST_F(HandsTest, WeaponKindsMapToClasses) {
  combat->leftActive = 1;
  const struct {
    uint8_t kind;
    uint32_t classBits;
  } cases[] = {
      {0, HandClass::Empty},
      {1, HandClass::OneHanded},
      {4, HandClass::OneHanded},
      {5, HandClass::TwoHanded},
      {6, HandClass::TwoHanded},
      {7, HandClass::Bow},
      {8, 0},
      {9, HandClass::Crossbow},
      {10, 0},
      {16, 0},
      {17, HandClass::Bow},
      {18, 0},
      {19, HandClass::Crossbow},
      {20, 0},
      {255, 0},
  };
  for (const auto& c : cases) {
    hands->leftHand = Sim().CreateWeapon(c.kind);
    PassAllHands();
    EXPECT_EQ(handClass, LeftHand(c.classBits)) << int(c.kind);
    EXPECT_EQ(Read(Vid::bAimBow), c.classBits == HandClass::Bow) << int(c.kind);
    EXPECT_EQ(Read(Vid::bAimCrossbow), c.classBits == HandClass::Crossbow) << int(c.kind);
    EXPECT_EQ(Read(Vid::bAttackTwoHanded), c.classBits == HandClass::TwoHanded) << int(c.kind);
    EXPECT_EQ(Read(Vid::bAttackOneHandedLeft), c.classBits == HandClass::OneHanded) << int(c.kind);
    EXPECT_EQ(Read(Vid::bAttackAnyHandedLeft),
              c.classBits == HandClass::OneHanded || c.classBits == HandClass::TwoHanded)
        << int(c.kind);
    EXPECT_FALSE(Read(Vid::bAttackAnyHandedRight));
  }
}

TEST_F(HandsTest, EmptyOrUnreadableHandsCountAsEmpty) {
  combat->rightActive = 1;
  PassAllHands();  // nothing equipped
  EXPECT_EQ(handClass, RightHand(HandClass::Empty));
  EXPECT_FALSE(Read(Vid::bAttackAnyHanded));
  EXPECT_FALSE(Read(Vid::bAimMagic));

  hands->rightHand = Sim().CreateForm(SimFormType::Weapon);  // the cast fails
  PassAllHands();
  EXPECT_EQ(handClass, RightHand(HandClass::Empty));

  Sim().player->aiProcess = nullptr;
  PassAllHands();
  EXPECT_EQ(handClass, RightHand(HandClass::Empty));

  Sim().player->aiProcess = hands;
  hands->rightHand = Sim().CreateForm(SimFormType::Keyword);  // neither magic nor weapon
  PassAllHands();
  EXPECT_EQ(handClass, 0u);

  Sim().combatState = nullptr;
  hands->rightHand = Sim().CreateWeapon(7);
  PassAllHands();
  EXPECT_EQ(activeHands, 0u);
  EXPECT_FALSE(Read(Vid::bAimBow));
}

TEST_F(HandsTest, ClassifiesOncePerPassAndKeepsItWithoutACharacter) {
  combat->rightActive = 1;
  hands->rightHand = Sim().CreateWeapon(7);
  Pass({Vid::bAimBow});  // a single hand value is enough to classify
  EXPECT_TRUE(Read(Vid::bAimBow));
  EXPECT_EQ(handClass, RightHand(HandClass::Bow));
  EXPECT_EQ(handCacheStale, 0);

  PassAllHands();
  // Within a pass the cached classes stand even though the hand changed.
  hands->rightHand = Sim().CreateWeapon(9);
  UpdateAimBow(UpdaterInput(session, frame), &At(Vid::bAimBow));
  UpdateAimCrossbow(UpdaterInput(session, frame), &At(Vid::bAimCrossbow));
  EXPECT_TRUE(Read(Vid::bAimBow));
  EXPECT_FALSE(Read(Vid::bAimCrossbow));

  PassAllHands();
  EXPECT_FALSE(Read(Vid::bAimBow));
  EXPECT_TRUE(Read(Vid::bAimCrossbow));

  // A target that is not a character leaves the last classification in place.
  frame.followedActor = nullptr;
  hands->rightHand = nullptr;
  PassAllHands();
  EXPECT_TRUE(Read(Vid::bAimCrossbow));
  EXPECT_EQ(handCacheStale, 1);
}

}  // namespace
