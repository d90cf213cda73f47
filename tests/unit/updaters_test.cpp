// Tests of the game-state updaters.

#include "values/updaters.h"

#include <gtest/gtest.h>

#include <string>

#include "values_fixture.h"

namespace {

using UpdatersTest = SimRegistryTest;

TEST_F(UpdatersTest, ActorFactsReadTheirBitsAndTheLowByteOfEachQuery) {
  HostActor* player = Sim().player;
  struct Case {
    int32_t index;
    uint32_t* field;
    uint32_t on;
    uint32_t off;
  };
  const Case cases[] = {
      {Vid::bWalking, &player->stateFlags, 0x40, ~0x40u},
      {Vid::bSwimming, &player->stateFlags, 0x400, ~0x400u},
      {Vid::bKillMove, &player->killMoveFlags, 0x4000, ~0x4000u},
      {Vid::bRunning, &player->isRunning, 0x1, 0xFF00},
      {Vid::bSprinting, &player->isSprinting, 0x80, 0x100},
      {Vid::bDead, &player->isDead, 0x101, 0x200},
      {Vid::bMounted, &player->isMounted, 0x1, 0x10000},
      {Vid::bSneaking, &player->isSneaking, 0x1, 0x100},
      {Vid::bSitting, &player->isSitting, 0x2, 0x300},
      {Vid::bJumping, &player->isJumping, 0x1, 0x400},
      {Vid::bWeaponOut, &player->stateWord, 0x60, 0x5F},
  };
  for (const Case& c : cases) {
    *c.field = c.on;
    EXPECT_TRUE(Refreshed(c.index)) << At(c.index).name;
    *c.field = c.off;
    EXPECT_FALSE(Refreshed(c.index)) << At(c.index).name;
  }
  // Without a character every one of them is written as false.
  for (const Case& c : cases) *c.field = c.on;
  Follow(nullptr);
  for (const Case& c : cases) EXPECT_FALSE(Refreshed(c.index)) << At(c.index).name;
}

TEST_F(UpdatersTest, WeaponOutNeedsTheDrawnFieldAtThreeOrMore) {
  for (uint32_t word : {0x00u, 0x20u, 0x40u, 0x5Fu, 0xFFFFFF1Fu}) {
    Sim().player->stateWord = word;
    EXPECT_FALSE(IsWeaponOut(Sim().player)) << std::hex << word;
  }
  for (uint32_t word : {0x60u, 0x80u, 0xE0u, 0xFFFFFF7Fu}) {
    Sim().player->stateWord = word;
    EXPECT_TRUE(IsWeaponOut(Sim().player)) << std::hex << word;
  }
  EXPECT_FALSE(IsWeaponOut(nullptr));
}

TEST_F(UpdatersTest, UpdatersWriteOnlyValuesOfTheirOwnType) {
  Value& debug = At(Vid::iDebug);
  debug.current = ValueData::Int(7);
  Sim().player->stateFlags = 0x40;
  UpdateWalking(UpdaterInput(session, frame), &debug);
  EXPECT_EQ(debug.current.AsInt(), 7);
  UpdateCameraState(UpdaterInput(session, frame), &At(Vid::bFocus));
  EXPECT_FALSE(At(Vid::bFocus).current.isSet);
  UpdateRace(UpdaterInput(session, frame), &debug);
  EXPECT_EQ(debug.current.type, ValueType::Int);
}

TEST_F(UpdatersTest, RaceIsRewrittenOnlyWhenTheNameChanges) {
  Pass({Vid::sRace});
  EXPECT_EQ(At(Vid::sRace).current.text, "HumanRace");

  At(Vid::sRace).current = ValueData::String("humanrace");
  Pass({Vid::sRace});
  EXPECT_EQ(At(Vid::sRace).current.text, "humanrace");

  Sim().player->race = Sim().CreateRace("NordRace");
  Pass({Vid::sRace});
  EXPECT_EQ(At(Vid::sRace).current.text, "NordRace");

  Sim().player->race->name.reset();
  Pass({Vid::sRace});
  EXPECT_TRUE(At(Vid::sRace).current.isSet);
  EXPECT_EQ(At(Vid::sRace).current.text, "");

  // An unset value that meets no race at all stays unset.
  At(Vid::sRace).current = ValueData::Unset(ValueType::String);
  Follow(nullptr);
  Pass({Vid::sRace});
  EXPECT_FALSE(At(Vid::sRace).current.isSet);
}

TEST_F(UpdatersTest, RaceNeedlesMatchAnywhereIgnoringCase) {
  Sim().player->race = Sim().CreateRace("DLC1vAmPiReBeAsTRace");
  EXPECT_TRUE(Refreshed(Vid::bVampireLord));
  EXPECT_FALSE(Refreshed(Vid::bWereWolf));
  Sim().player->race = Sim().CreateRace("WerewolfBeastRace");
  EXPECT_TRUE(Refreshed(Vid::bWereWolf));
  Sim().player->race = Sim().CreateRace("VampireBeas");  // shorter than the needle
  EXPECT_FALSE(Refreshed(Vid::bVampireLord));
  Sim().player->race->name.reset();
  EXPECT_FALSE(Refreshed(Vid::bVampireLord));
  Sim().player->race = nullptr;
  EXPECT_FALSE(Refreshed(Vid::bWereWolf));
}

TEST_F(UpdatersTest, MenusAreTestedThroughReleasedEngineStrings) {
  EXPECT_FALSE(Refreshed(Vid::bDialogue));
  Sim().OpenMenu("BarterMenu");
  EXPECT_TRUE(Refreshed(Vid::bDialogue));
  EXPECT_FALSE(Refreshed(Vid::bCrafting));
  Sim().CloseMenu("BarterMenu");
  Sim().OpenMenu("Crafting Menu");
  EXPECT_TRUE(Refreshed(Vid::bDialogue));
  EXPECT_TRUE(Refreshed(Vid::bCrafting));
  EXPECT_EQ(Sim().liveEngineStrings, 0);
  EXPECT_EQ(Sim().engineStringFaults, 0);

  Sim().menuManager = nullptr;
  EXPECT_FALSE(Refreshed(Vid::bDialogue));
  EXPECT_FALSE(Refreshed(Vid::bCrafting));
}

TEST_F(UpdatersTest, CameraStateIsTheHostIdOrMinusOne) {
  Pass({Vid::iCameraState});
  EXPECT_EQ(At(Vid::iCameraState).current.AsInt(), 9);
  Sim().SetCameraState(0);
  Pass({Vid::iCameraState});
  EXPECT_EQ(At(Vid::iCameraState).current.AsInt(), 0);
  Sim().playerCamera->currentState = nullptr;
  Pass({Vid::iCameraState});
  EXPECT_EQ(At(Vid::iCameraState).current.AsInt(), -1);
  Sim().playerCamera = nullptr;
  Pass({Vid::iCameraState});
  EXPECT_TRUE(At(Vid::iCameraState).current.isSet);
  EXPECT_EQ(At(Vid::iCameraState).current.AsInt(), -1);
}

TEST_F(UpdatersTest, MountWindowsOpenOnlyForTheFollowedActor) {
  Plugin& plugin = Plugin::Instance();
  HostActor* horseRider = Sim().CreateActor();
  plugin.OnMountStart(horseRider);
  plugin.OnMountStart(nullptr);
  EXPECT_FALSE(Refreshed(Vid::bMounting));

  plugin.OnMountStart(Sim().player);
  EXPECT_EQ(session.mountCountdown, 1.2f);
  EXPECT_TRUE(Refreshed(Vid::bMounting));
  EXPECT_FALSE(Refreshed(Vid::bDismounting));
  plugin.OnDismountStart(Sim().player);
  EXPECT_EQ(session.dismountCountdown, 3.5f);
  EXPECT_TRUE(Refreshed(Vid::bDismounting));
  session.mountCountdown = 0;
  EXPECT_FALSE(Refreshed(Vid::bMounting));

  // Without a session there is nothing to open, and nothing is kept for the next one.
  std::unique_ptr<Session> live = plugin.ReplaceSession(nullptr);
  plugin.OnMountStart(Sim().player);
  EXPECT_FALSE(plugin.WithSession([](Session&) { return true; }));
  plugin.ReplaceSession(std::move(live));
  EXPECT_EQ(session.mountCountdown, 0);
  EXPECT_FALSE(Refreshed(Vid::bMounting));
}

TEST_F(UpdatersTest, PluginStateValues) {
  EXPECT_FALSE(Refreshed(Vid::bIsInQARN));
  frame.headCameraShown = true;
  EXPECT_TRUE(Refreshed(Vid::bIsInQARN));

  EXPECT_FALSE(Refreshed(Vid::bIsActive));
  frame.activated = true;
  EXPECT_TRUE(Refreshed(Vid::bIsActive));

  CameraController& controller = Plugin::Instance().controller;

  EXPECT_FALSE(Refreshed(Vid::bIsTargetOverwritten));
  StateOf(controller).requestedRefFormId = 0x1234;
  EXPECT_TRUE(Refreshed(Vid::bIsTargetOverwritten));
}

TEST_F(UpdatersTest, TargetReferenceFacts) {
  Pass({Vid::iObjectBaseFormId});
  EXPECT_EQ(At(Vid::iObjectBaseFormId).current.AsInt(), 0x07);
  EXPECT_FALSE(Refreshed(Vid::bIndoors));
  Sim().player->parentCell = Sim().CreateCell(true);
  EXPECT_TRUE(Refreshed(Vid::bIndoors));

  // These two follow the target even when it is not an actor.
  HostRef* chair = Sim().CreateReference();
  chair->parentCell = Sim().CreateCell(true);
  frame.followed = chair;
  frame.followedActor = nullptr;
  EXPECT_TRUE(Refreshed(Vid::bIndoors));
  Pass({Vid::iObjectBaseFormId});
  EXPECT_EQ(At(Vid::iObjectBaseFormId).current.AsInt(),
            static_cast<int32_t>(chair->baseForm->formId));

  chair->baseForm = nullptr;
  chair->parentCell = nullptr;
  EXPECT_FALSE(Refreshed(Vid::bIndoors));
  Pass({Vid::iObjectBaseFormId});
  EXPECT_EQ(At(Vid::iObjectBaseFormId).current.AsInt(), 0);
  EXPECT_TRUE(At(Vid::iObjectBaseFormId).current.isSet);
}

}  // namespace
