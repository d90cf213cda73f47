// The contracts of the simulated game that the other tests rely on.

#include <gtest/gtest.h>

#include <string>

#include "controller_state.h"
#include "host/host.h"
#include "plugin/plugin.h"
#include "sim_world.h"

namespace {

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override { Sim().Reset(); }
  void TearDown() override { Sim().Reset(); }

  static HostNode* Find(HostNode* node, const char* name) {
    EngineString slot;
    HostEngineStringCreate(&slot, name);
    HostNode* found = HostNodeFindDescendant(node, &slot);
    HostEngineStringRelease(&slot);
    return found;
  }

  static HostNode* PlayerRoot() {
    return HostLoaded3DRootNode(HostRefLoaded3D(HostActorAsRef(Sim().player)));
  }
};

TEST_F(SimTest, CastsAnswerNullForTheWrongType) {
  HostForm* player = HostLookupFormById(kSimPlayerFormId);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(HostCastToActor(player), Sim().player);
  EXPECT_NE(HostCastToReference(player), nullptr);
  EXPECT_EQ(HostCastToKeyword(player), nullptr);

  HostForm* ref = HostRefAsForm(Sim().CreateReference());
  EXPECT_NE(HostCastToReference(ref), nullptr);
  EXPECT_EQ(HostCastToActor(ref), nullptr);

  HostForm* keyword = HostKeywordAsForm(Sim().Keyword("ActorTypeNPC"));
  EXPECT_NE(HostCastToKeyword(keyword), nullptr);
  EXPECT_EQ(HostCastToConditionForm(keyword), nullptr);
  EXPECT_EQ(HostCastToReference(keyword), nullptr);

  HostForm* faction = Sim().CreateFaction();
  EXPECT_NE(HostCastToConditionForm(faction), nullptr);
  EXPECT_EQ(HostCastToKeyword(faction), nullptr);

  // The hand classification reads the type byte first; a weapon-typed form may still fail.
  HostForm* weapon = Sim().CreateWeapon(7);
  ASSERT_NE(HostCastToHandItem(weapon), nullptr);
  EXPECT_EQ(HostHandItemWeaponKind(HostCastToHandItem(weapon)), 7);
  HostForm* oddWeapon = Sim().CreateForm(SimFormType::Weapon);
  EXPECT_EQ(HostFormType(oddWeapon), SimFormType::Weapon);
  EXPECT_EQ(HostCastToHandItem(oddWeapon), nullptr);

  EXPECT_EQ(HostLookupFormById(0x7FFFFFFF), nullptr);
  Sim().ForgetForm(faction);
  EXPECT_EQ(HostLookupFormById(HostFormId(faction)), nullptr);
}

TEST_F(SimTest, EngineStringsAreCountedAndMisuseIsCaught) {
  EngineString a;
  EngineString b;
  HostEngineStringCreate(&a, "NPC Head [Head]");
  HostEngineStringCreate(&b, "NPC Head [Head]");
  EXPECT_EQ(Sim().liveEngineStrings, 2);
  HostEngineStringRelease(&a);
  HostEngineStringRelease(&b);
  EXPECT_EQ(Sim().liveEngineStrings, 0);
  EXPECT_EQ(Sim().engineStringFaults, 0);

  // A released string is neither released again nor usable as a name.
  HostEngineStringRelease(&a);
  EXPECT_EQ(Sim().engineStringFaults, 1);
  EXPECT_EQ(HostNodeFindDescendant(PlayerRoot(), &a), nullptr);
  EXPECT_EQ(HostMenuIsOpen(Sim().menuManager, &a), 0u);
  EXPECT_EQ(Sim().engineStringFaults, 3);
  EXPECT_EQ(Sim().liveEngineStrings, 0);
}

TEST_F(SimTest, ReferenceHandlesAreCountedAndInvalidOnesRefused) {
  HostRef* ref = Sim().CreateReference();
  uint32_t handle = Sim().HandleOf(ref);
  EXPECT_EQ(Sim().HandleOf(ref), handle);
  EXPECT_NE(handle, HostInvalidRefHandle());

  EXPECT_EQ(HostLookupRefByHandle(handle), ref);
  EXPECT_EQ(HostLookupRefByHandle(handle), ref);
  EXPECT_EQ(Sim().liveRefCounts, 2);
  HostReleaseRef(ref);
  HostReleaseRef(ref);
  EXPECT_EQ(Sim().liveRefCounts, 0);
  EXPECT_EQ(Sim().refFaults, 0);

  // An unknown handle resolves to nothing without taking a count.
  EXPECT_EQ(HostLookupRefByHandle(handle + 1000), nullptr);
  EXPECT_EQ(Sim().refFaults, 0);

  // Looking up 0 or the invalid handle, and releasing a count never taken, are faults.
  EXPECT_EQ(HostLookupRefByHandle(0), nullptr);
  EXPECT_EQ(HostLookupRefByHandle(HostInvalidRefHandle()), nullptr);
  HostReleaseRef(ref);
  EXPECT_EQ(Sim().refFaults, 3);
  EXPECT_EQ(Sim().liveRefCounts, 0);

  Sim().SetCrosshairRef(ref);
  EXPECT_EQ(HostCrosshairRefHandle(HostCrosshairRefGet()), handle);
  Sim().SetCrosshairRef(nullptr);
  EXPECT_EQ(HostCrosshairRefHandle(HostCrosshairRefGet()), 0u);
}

TEST_F(SimTest, ConsoleShowsTheLineAsAFormatWithoutArguments) {
  HostConsolePrint(HostConsoleGet(), "Vantrel: 100%% of %%s");
  HostConsolePrint(HostConsoleGet(), "%%%%");
  EXPECT_EQ(Sim().consoleFormatFaults, 0);
  // An unescaped conversion reads no argument: it shows as it stands and is counted.
  HostConsolePrint(HostConsoleGet(), "%s %d %");
  EXPECT_EQ(Sim().consoleFormatFaults, 3);
  EXPECT_EQ(Sim().console->lines,
            (std::vector<std::string>{"Vantrel: 100% of %s", "%%", "%s %d %"}));
}

TEST_F(SimTest, FindDescendantSearchesTheWholeSubtree) {
  HostNode* root = PlayerRoot();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Find(root, "NPC Root [Root]"), root);
  HostNode* head = Find(root, "NPC Head [Head]");
  HostNode* eye = Find(root, "NPCEyeBone");
  ASSERT_NE(head, nullptr);
  ASSERT_NE(eye, nullptr);
  EXPECT_EQ(Find(root, "npceyebone"), eye);
  // Searching from the head finds only what lies below it.
  EXPECT_EQ(Find(head, "NPCEyeBone"), eye);
  EXPECT_EQ(Find(head, "NPC Spine2 [Spn2]"), nullptr);
  EXPECT_EQ(Find(root, "NPC Head"), nullptr);
  EXPECT_EQ(Find(root, ""), nullptr);

  float translation[3];
  HostNodeWorldTranslation(eye, translation);
  EXPECT_FLOAT_EQ(translation[1], 6);
  EXPECT_FLOAT_EQ(translation[2], 124);

  HostActor* wolf = Sim().CreateCreature({"Canine_Head", "MagicEffectsNode"});
  HostNode* wolfRoot = HostLoaded3DRootNode(HostRefLoaded3D(HostActorAsRef(wolf)));
  EXPECT_NE(Find(wolfRoot, "Canine_Head"), nullptr);
  EXPECT_EQ(Find(wolfRoot, "NPC Head [Head]"), nullptr);
  EXPECT_EQ(Sim().liveEngineStrings, 0);
}

TEST_F(SimTest, ResetRestoresTheStartState) {
  SimWorld& world = Sim();
  uint32_t keywordId = HostFormId(world.Keyword("MagicWard"));
  world.player->stateWord = 0x60;
  world.player->loaded3D = nullptr;
  HostCameraSetFieldOfView(HostPlayerCamera(), 90);
  world.SetCameraState(0);
  HostNearClipSet(5);
  HostTimeScaleSet(0.5f);
  HostVatsDisabledSet(1);
  world.OpenMenu("BarterMenu");
  world.SetKeyDown(0x41, true);
  world.console = nullptr;
  world.pickResult = std::array<float, 3>{1, 2, 3};
  EngineString leaked;
  HostEngineStringCreate(&leaked, "leaked");

  world.Reset();

  HostActor* player = HostCastToActor(HostLookupFormById(kSimPlayerFormId));
  ASSERT_EQ(player, world.player);
  EXPECT_EQ(HostActorStateWord(player), 0u);
  ASSERT_NE(HostRefLoaded3D(HostActorAsRef(player)), nullptr);
  EXPECT_NE(world.FindNode(player, "NPC Head [Head]"), nullptr);
  EXPECT_NE(HostActorAiProcess(player), nullptr);
  EXPECT_EQ(HostCameraStateId(HostCameraCurrentState(HostPlayerCamera())), 9);
  EXPECT_FLOAT_EQ(HostCameraFieldOfView(HostPlayerCamera()), 75);
  EXPECT_FLOAT_EQ(HostNearClipGet(), 15);
  EXPECT_FLOAT_EQ(HostTimeScaleGet(), 1);
  EXPECT_EQ(HostVatsDisabledGet(), 0u);
  EXPECT_FLOAT_EQ(HostFrameTimeA(), 1.0f / 60);
  EXPECT_FLOAT_EQ(HostFrameTimeB(), 1.0f / 60);
  ASSERT_NE(HostConsoleGet(), nullptr);
  EXPECT_TRUE(world.console->lines.empty());
  EXPECT_TRUE(world.menuManager->openMenus.empty());
  EXPECT_EQ(HostKeyState(0x41), 0u);
  EXPECT_EQ(HostUiStateNotRunning(HostUiStateGet()), 0);
  EXPECT_EQ(HostMainStateNotRunning(HostMainStateGet()), 0);
  EXPECT_NE(HostUiStateWindow(HostUiStateGet()), 0u);
  EXPECT_EQ(HostUiStateWindow(HostUiStateGet()), HostActiveWindow());
  EXPECT_EQ(HostInputPollStep(HostInputManagerGet()), 1u);
  EXPECT_EQ(HostConditionGlobalKeywordCount(HostConditionGlobalGet()), 0);
  EXPECT_EQ(HostCombatStateRightActive(HostPlayerCombatState()), 0);
  EXPECT_EQ(HostCrosshairRefHandle(HostCrosshairRefGet()), 0u);
  EXPECT_FALSE(world.pickResult.has_value());
  EXPECT_EQ(world.liveEngineStrings, 0);

  // Keywords keep their form id across Resets, so a name table built earlier still fits.
  EXPECT_EQ(HostFormId(world.Keyword("MagicWard")), keywordId);
  EXPECT_EQ(HostConditionGlobalKeyword(HostConditionGlobalGet(), 0),
            HostKeywordAsForm(world.Keyword("MagicWard")));
}

TEST_F(SimTest, PersonCallsSwitchTheCameraStateAndAreRecorded) {
  HostCamera* camera = HostPlayerCamera();
  HostCameraState* third = HostCameraCurrentState(camera);
  HostCameraStateSetYaw(third, 0.5f);
  HostCameraGoFirstPerson(camera);
  EXPECT_EQ(HostCameraStateId(HostCameraCurrentState(camera)), 0);
  HostCameraForceThirdPerson(camera);
  // The state object of an id persists, with what was written into it.
  EXPECT_EQ(HostCameraCurrentState(camera), third);
  EXPECT_FLOAT_EQ(HostCameraStateYaw(third), 0.5f);
  EXPECT_EQ(camera->personCalls, (std::vector<SimCameraCall>{SimCameraCall::GoFirstPerson,
                                                             SimCameraCall::ForceThirdPerson}));
}

TEST_F(SimTest, ActiveEffectsComeAsANullTerminatedArray) {
  HostActor* player = Sim().player;
  EXPECT_EQ(HostActorActiveEffects(player), nullptr);
  HostKeyword* ward = Sim().Keyword("MagicWard");
  Sim().AddActiveEffect(player, nullptr);
  Sim().AddActiveEffect(player, Sim().CreateMagicEffect({HostKeywordAsForm(ward)}));
  HostActiveEffect** effects = HostActorActiveEffects(player);
  ASSERT_NE(effects, nullptr);
  EXPECT_EQ(HostEffectItemBaseEffect(HostActiveEffectItem(effects[0])), nullptr);
  HostForm* effect = HostEffectItemBaseEffect(HostActiveEffectItem(effects[1]));
  ASSERT_EQ(HostMagicEffectKeywordCount(effect), 1u);
  EXPECT_STREQ(HostKeywordEditorName(HostMagicEffectKeyword(effect, 0)), "MagicWard");
  EXPECT_EQ(HostMagicEffectKeyword(effect, 1), nullptr);
  EXPECT_EQ(effects[2], nullptr);
  EXPECT_NE(HostHasMagicEffectKeyword(player, HostKeywordAsForm(ward)), 0u);
  EXPECT_EQ(HostHasMagicEffectKeyword(player, HostKeywordAsForm(Sim().Keyword("Other"))), 0u);
}

TEST_F(SimTest, CrosshairPickHandsThePointToTheController) {
  CameraController& controller = Plugin::Instance().controller;
  StateOf(controller).focusPoint.reset();
  HostPlayerCrosshairPick(Sim().player);
  EXPECT_FALSE(StateOf(controller).focusPoint.has_value());

  Sim().pickResult = std::array<float, 3>{1, 2, 3};
  HostPlayerCrosshairPick(Sim().player);
  ASSERT_TRUE(StateOf(controller).focusPoint.has_value());
  EXPECT_FLOAT_EQ(StateOf(controller).focusPoint->z, 3);
  EXPECT_EQ(Sim().crosshairPickCalls, 2);
  StateOf(controller).focusPoint.reset();
}

}  // namespace

TEST_F(SimTest, ALongRunReusesObjectsAndKeepsItsLogsBounded) {
  EXPECT_EQ(Sim().Weapon(5), Sim().Weapon(5));
  EXPECT_NE(Sim().Weapon(5), Sim().Weapon(7));
  EXPECT_EQ(Sim().Spell(), Sim().Spell());
  EXPECT_EQ(Sim().Race("Dog"), Sim().Race("Dog"));
  EXPECT_EQ(Sim().Cell(true), Sim().Cell(true));
  for (size_t i = 0; i < 3 * kSimLogCapacity; ++i) {
    HostConsolePrint(Sim().console, std::to_string(i).c_str());
  }
  EXPECT_LE(Sim().console->lines.size(), kSimLogCapacity);
  EXPECT_EQ(Sim().console->lines.back(), std::to_string(3 * kSimLogCapacity - 1));
}
