// The game binding against fake host functions and objects at the game's addresses: every
// operation must read and write the right offsets and call the right address with the right
// convention. Addresses and offsets here are written out independently of the address table.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fake_game.h"
#include "host/host.h"

// GCC applies thiscall and stdcall to free functions but warns that thiscall is for members.
#pragma GCC diagnostic ignored "-Wattributes"
#define THISCALL __attribute__((thiscall))
#define STDCALL __attribute__((stdcall))

namespace {

struct Recorded {
  int calls = 0;
  uint32_t self = 0;  // ECX at a member call
  std::vector<uint32_t> args;
};
Recorded recorded;
uint32_t answer = 0;

uint32_t THISCALL Member0(uint32_t self) {
  recorded = {recorded.calls + 1, self, {}};
  return answer;
}
uint32_t THISCALL Member1(uint32_t self, uint32_t a) {
  recorded = {recorded.calls + 1, self, {a}};
  return answer;
}
uint32_t THISCALL Member2(uint32_t self, uint32_t a, uint32_t b) {
  recorded = {recorded.calls + 1, self, {a, b}};
  return answer;
}
uint32_t Plain1(uint32_t a) {
  recorded = {recorded.calls + 1, 0, {a}};
  return answer;
}
uint32_t Plain2(uint32_t a, uint32_t b) {
  recorded = {recorded.calls + 1, 0, {a, b}};
  return answer;
}
uint32_t Plain3(uint32_t a, uint32_t b, uint32_t c) {
  recorded = {recorded.calls + 1, 0, {a, b, c}};
  return answer;
}
uint32_t Plain5(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e) {
  recorded = {recorded.calls + 1, 0, {a, b, c, d, e}};
  return answer;
}

// The handle resolver reads the handle through its first argument and writes the reference
// through its second; the releaser reads the reference through its argument.
uint32_t LookupRefByHandle(const uint32_t* handle, uint32_t* out) {
  recorded = {recorded.calls + 1, 0, {*handle}};
  *out = answer;
  return 1;
}
void ReleaseRef(const uint32_t* slot) { recorded = {recorded.calls + 1, 0, {*slot}}; }
void THISCALL CrosshairPick(uint32_t self, uint32_t* out) {
  recorded = {recorded.calls + 1, self, {}};
  *out = 0x1234;  // the pick writes its answer through the out pointer
}
std::string printed;
// The console's print function as the game has it (it removes its two arguments), and one
// that leaves them to its caller.
void THISCALL ConsolePrint(uint32_t self, const char* format, const uint32_t* arguments) {
  recorded = {recorded.calls + 1, self, {arguments != nullptr ? 1u : 0u}};
  printed = format;
}
void ConsolePrintCallerCleans(const char* format, const uint32_t* arguments) {
  recorded = {recorded.calls + 1, 0, {arguments != nullptr ? 1u : 0u}};
  printed = format;
}
int16_t STDCALL KeyState(int32_t virtualKey) {
  recorded = {recorded.calls + 1, 0, {static_cast<uint32_t>(virtualKey)}};
  return static_cast<int16_t>(0x8001);
}

uint32_t W(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }
template <typename T>
T* As(void* memory) {
  return reinterpret_cast<T*>(memory);
}
uint32_t FloatBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

// Host objects: byte i holds a pattern, so a read at the wrong offset shows.
alignas(16) uint8_t object[0x400];
alignas(16) uint8_t other[0x400];
uint32_t PatternAt(uint32_t offset, uint32_t size) {
  uint32_t value = 0;
  std::memcpy(&value, object + offset, size);
  return value;
}

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MapFakeImage());
    for (uint32_t i = 0; i < sizeof object; ++i) object[i] = static_cast<uint8_t>(i * 7 + 1);
    std::memset(other, 0, sizeof other);
    recorded = {};
    answer = 0xA5A5A5A5;
  }
};

TEST_F(BindingTest, FieldsAreReadAtTheirOffsets) {
  void* o = object;
  const struct {
    const char* name;
    uint32_t offset;
    uint32_t size;
    std::function<uint32_t()> read;
  } fields[] = {
      {"HostFormId", 0x0C, 4, [&] { return HostFormId(As<HostForm>(o)); }},
      {"HostFormType", 0x12, 1, [&] { return HostFormType(As<HostForm>(o)); }},
      {"HostKeywordEditorName", 0x14, 4, [&] { return W(HostKeywordEditorName(As<HostForm>(o))); }},
      {"HostRefRotationX", 0x28, 4, [&] { return FloatBits(HostRefRotationX(As<HostRef>(o))); }},
      {"HostRefRotationZ", 0x30, 4, [&] { return FloatBits(HostRefRotationZ(As<HostRef>(o))); }},
      {"HostRefLoaded3D", 0x44, 4, [&] { return W(HostRefLoaded3D(As<HostRef>(o))); }},
      {"HostLoaded3DRootNode", 0x20, 4, [&] { return W(HostLoaded3DRootNode(As<HostLoaded3D>(o))); }},
      {"HostRefBaseForm", 0x24, 4, [&] { return W(HostRefBaseForm(As<HostRef>(o))); }},
      {"HostRefParentCell", 0x40, 4, [&] { return W(HostRefParentCell(As<HostRef>(o))); }},
      {"HostCellFlags", 0x2C, 1, [&] { return HostCellFlags(As<HostCell>(o)); }},
      {"HostActorStateFlags", 0x68, 4, [&] { return HostActorStateFlags(As<HostActor>(o)); }},
      {"HostActorStateWord", 0x6C, 4, [&] { return HostActorStateWord(As<HostActor>(o)); }},
      {"HostActorKillMoveFlags", 0x138, 4, [&] { return HostActorKillMoveFlags(As<HostActor>(o)); }},
      {"HostActorAiProcess", 0x88, 4, [&] { return W(HostActorAiProcess(As<HostActor>(o))); }},
      {"HostActorRace", 0x130, 4, [&] { return W(HostActorRace(As<HostActor>(o))); }},
      {"HostRaceName", 0x1D0, 4, [&] { return W(HostRaceName(As<HostRace>(o))); }},
      {"HostAiProcessRightHand", 0x6C, 4, [&] { return W(HostAiProcessRightHand(As<HostAiProcess>(o))); }},
      {"HostAiProcessLeftHand", 0x68, 4, [&] { return W(HostAiProcessLeftHand(As<HostAiProcess>(o))); }},
      {"HostHandItemWeaponKind", 0xF1, 1, [&] { return HostHandItemWeaponKind(As<HostHandItem>(o)); }},
      {"HostCombatStateHandMode", 0x14, 1, [&] { return HostCombatStateHandMode(As<HostCombatState>(o)); }},
      {"HostCombatStateRightActive", 0x24, 1, [&] { return HostCombatStateRightActive(As<HostCombatState>(o)); }},
      {"HostCombatStateLeftActive", 0x25, 1, [&] { return HostCombatStateLeftActive(As<HostCombatState>(o)); }},
      {"HostCameraCurrentState", 0x20, 4, [&] { return W(HostCameraCurrentState(As<HostCamera>(o))); }},
      {"HostCameraFieldOfView", 0xAC, 4, [&] { return FloatBits(HostCameraFieldOfView(As<HostCamera>(o))); }},
      {"HostCameraStateId", 0x0C, 4, [&] { return static_cast<uint32_t>(HostCameraStateId(As<HostCameraState>(o))); }},
      {"HostCameraStateYaw", 0xAC, 4, [&] { return FloatBits(HostCameraStateYaw(As<HostCameraState>(o))); }},
      {"HostCameraStatePitch", 0xB0, 4, [&] { return FloatBits(HostCameraStatePitch(As<HostCameraState>(o))); }},
      {"HostUiStateNotRunning", 0x0A, 1, [&] { return HostUiStateNotRunning(As<HostUiState>(o)); }},
      {"HostUiStateWindow", 0x0C, 4, [&] { return static_cast<uint32_t>(HostUiStateWindow(As<HostUiState>(o))); }},
      {"HostMainStateNotRunning", 0x98, 1, [&] { return HostMainStateNotRunning(As<HostMainState>(o)); }},
      {"HostCrosshairRefHandle", 0x04, 4, [&] { return HostCrosshairRefHandle(As<HostCrosshairRefHolder>(o)); }},
      {"HostConditionGlobalKeywordCount", 0x40, 4, [&] { return static_cast<uint32_t>(HostConditionGlobalKeywordCount(As<HostConditionGlobal>(o))); }},
      {"HostActiveEffectItem", 0x34, 4, [&] { return W(HostActiveEffectItem(As<HostActiveEffect>(o))); }},
      {"HostEffectItemBaseEffect", 0x0C, 4, [&] { return W(HostEffectItemBaseEffect(As<HostEffectItem>(o))); }},
      {"HostMagicEffectKeywordCount", 0x2C, 4, [&] { return HostMagicEffectKeywordCount(As<HostForm>(o)); }},
  };
  for (const auto& field : fields) {
    EXPECT_EQ(field.read(), PatternAt(field.offset, field.size)) << field.name;
  }
}

TEST_F(BindingTest, ArraysAndMatricesOfHostObjects) {
  const uint32_t keywords[3] = {0x1111, 0x2222, 0x3333};
  Poke<uint32_t>(W(object) + 0x38, W(keywords));  // condition global keyword list
  Poke<uint32_t>(W(object) + 0x28, W(keywords));  // magic effect keyword list
  EXPECT_EQ(W(HostConditionGlobalKeyword(As<HostConditionGlobal>(object), 2)), 0x3333u);
  EXPECT_EQ(W(HostMagicEffectKeyword(As<HostForm>(object), 1)), 0x2222u);

  float rotation[9], translation[3];
  HostNodeWorldRotation(As<HostNode>(object), rotation);
  HostNodeWorldTranslation(As<HostNode>(object), translation);
  EXPECT_EQ(std::memcmp(rotation, object + 0x54, sizeof rotation), 0);
  EXPECT_EQ(std::memcmp(translation, object + 0x78, sizeof translation), 0);
}

TEST_F(BindingTest, FieldsAreWrittenAtTheirOffsets) {
  HostActorSetStateWord(As<HostActor>(other), 0xE8);
  EXPECT_EQ(Peek<uint32_t>(W(other) + 0x6C), 0xE8u);
  HostCameraSetFieldOfView(As<HostCamera>(other), 75.0f);
  EXPECT_EQ(Peek<float>(W(other) + 0xAC), 75.0f);
  HostCameraStateSetYaw(As<HostCameraState>(other + 0x100), 0.5f);
  HostCameraStateSetPitch(As<HostCameraState>(other + 0x100), -0.25f);
  EXPECT_EQ(Peek<float>(W(other) + 0x1AC), 0.5f);
  EXPECT_EQ(Peek<float>(W(other) + 0x1B0), -0.25f);

  std::memset(other, 0xFF, sizeof other);
  HostCameraStateClearOffsets(As<HostCameraState>(other));
  for (uint32_t i = 0x38; i < 0x4C; ++i) {
    const bool cleared = i >= 0x3C && i < 0x48;
    EXPECT_EQ(other[i], cleared ? 0x00 : 0xFF) << i;
  }
}

TEST_F(BindingTest, GlobalsAreReadAndWrittenAtTheirAddresses) {
  const struct {
    const char* name;
    uint32_t address;
    std::function<uint32_t()> read;
  } globals[] = {
      {"HostPlayerCamera", 0x012E7288, [] { return W(HostPlayerCamera()); }},
      {"HostPlayer", 0x01B2E8E4, [] { return W(HostPlayer()); }},
      {"HostMenuManager", 0x012E3548, [] { return W(HostMenuManagerGet()); }},
      {"HostUiState", 0x01B2E860, [] { return W(HostUiStateGet()); }},
      {"HostMainState", 0x012E7458, [] { return W(HostMainStateGet()); }},
      {"HostFrameTimeA", 0x01B4ADE0, [] { return FloatBits(HostFrameTimeA()); }},
      {"HostFrameTimeB", 0x01B4ADE4, [] { return FloatBits(HostFrameTimeB()); }},
      {"HostCrosshairRef", 0x01B115D8, [] { return W(HostCrosshairRefGet()); }},
      {"HostNearClip", 0x012C8D54, [] { return FloatBits(HostNearClipGet()); }},
      {"HostTimeScale", 0x012C2414, [] { return FloatBits(HostTimeScaleGet()); }},
      {"HostVatsDisabled", 0x01278034, [] { return HostVatsDisabledGet(); }},
      {"HostConsole", 0x01B10B58, [] { return W(HostConsoleGet()); }},
      {"HostInputManager", 0x012E7454, [] { return W(HostInputManagerGet()); }},
      {"HostConditionGlobal", 0x012E2CB8, [] { return W(HostConditionGlobalGet()); }},
      {"HostPlayerCombatState", 0x01B2EF3C, [] { return W(HostPlayerCombatState()); }},
      {"HostInvalidRefHandle", 0x01310630, [] { return HostInvalidRefHandle(); }},
  };
  uint32_t value = 0x3F000000;
  for (const auto& global : globals) {
    Poke<uint32_t>(global.address, ++value);
    EXPECT_EQ(global.read(), value) << global.name;
  }

  HostNearClipSet(15.0f);
  HostTimeScaleSet(0.5f);
  HostVatsDisabledSet(1);
  EXPECT_EQ(Peek<float>(0x012C8D54), 15.0f);
  EXPECT_EQ(Peek<float>(0x012C2414), 0.5f);
  EXPECT_EQ(Peek<uint32_t>(0x01278034), 1u);
}

TEST_F(BindingTest, HostFunctionsAreCalledAtTheirAddressesWithTheirConventions) {
  auto* actor = As<HostActor>(object);
  auto* form = As<HostForm>(other);
  EngineString name{0x77};
  const char* text = "NPC Head [Head]";
  const float point[3] = {1, 2, 3};
  const uint32_t a = W(actor), f = W(form);
  const struct {
    const char* name;
    uint32_t address;
    const void* fake;
    std::function<uint32_t()> call;
    bool answers;
    uint32_t self;
    std::vector<uint32_t> args;
  } calls[] = {
      {"HostLookupFormById", 0x00451A30, (void*)Plain1, [] { return W(HostLookupFormById(0x14)); }, true, 0, {0x14}},
      {"HostCastToReference", 0x00F51DAE, (void*)Plain5, [&] { return W(HostCastToReference(form)); }, true, 0, {f, 0, 0x0123B000, 0x0123D0BC, 0}},
      {"HostCastToActor", 0x00F51DAE, (void*)Plain5, [&] { return W(HostCastToActor(form)); }, true, 0, {f, 0, 0x0123B000, 0x0123EA2C, 0}},
      {"HostCastToConditionForm", 0x00F51DAE, (void*)Plain5, [&] { return W(HostCastToConditionForm(form)); }, true, 0, {f, 0, 0x0123B000, 0x0123D050, 0}},
      {"HostCastToKeyword", 0x00F51DAE, (void*)Plain5, [&] { return W(HostCastToKeyword(form)); }, true, 0, {f, 0, 0x0123B000, 0x0123D1B4, 0}},
      {"HostCastToHandItem", 0x00F51DAE, (void*)Plain5, [&] { return W(HostCastToHandItem(form)); }, true, 0, {f, 0, 0x0123B000, 0x0123EAFC, 0}},
      {"HostEngineStringCreate", 0x00A511C0, (void*)Member1, [&] { HostEngineStringCreate(&name, text); return 0u; }, false, W(&name), {W(text)}},
      {"HostEngineStringRelease", 0x00A511B0, (void*)Member0, [&] { HostEngineStringRelease(&name); return 0u; }, false, W(&name), {}},
      {"HostMenuIsOpen", 0x00A5CE90, (void*)Member1, [&] { return HostMenuIsOpen(As<HostMenuManager>(other), &name); }, true, W(other), {W(&name)}},
      {"HostCameraWeaponRefresh", 0x0083C7E0, (void*)Member1, [&] { HostCameraWeaponRefresh(As<HostCamera>(other), true); return 0u; }, false, W(other), {1}},
      {"HostSetHeadTrackTarget", 0x00723E40, (void*)Member2, [&] { HostSetHeadTrackTarget(As<HostAiProcess>(other), actor, point); return 0u; }, false, W(other), {a, W(point)}},
      {"HostClearHeadTrackTarget", 0x0071F360, (void*)Member0, [&] { HostClearHeadTrackTarget(As<HostAiProcess>(other)); return 0u; }, false, W(other), {}},
      {"HostSetGraphBool", 0x00650C60, (void*)Member2, [&] { HostSetGraphBool(actor, &name, true); return 0u; }, false, a + 0x20, {W(&name), 1}},
      {"HostCameraGoThirdPerson", 0x0083C660, (void*)Member0, [&] { HostCameraGoThirdPerson(As<HostCamera>(other)); return 0u; }, false, W(other), {}},
      {"HostCameraForceThirdPerson", 0x0083C6B0, (void*)Member0, [&] { HostCameraForceThirdPerson(As<HostCamera>(other)); return 0u; }, false, W(other), {}},
      {"HostCameraGoFirstPerson", 0x0083CE50, (void*)Member0, [&] { HostCameraGoFirstPerson(As<HostCamera>(other)); return 0u; }, false, W(other), {}},
      {"HostCameraForceFirstPerson", 0x0083CE90, (void*)Member0, [&] { HostCameraForceFirstPerson(As<HostCamera>(other)); return 0u; }, false, W(other), {}},
      {"HostActorIsRunning", 0x006AB210, (void*)Member0, [&] { return HostActorIsRunning(actor); }, true, a, {}},
      {"HostActorIsSprinting", 0x006BBEB0, (void*)Member0, [&] { return HostActorIsSprinting(actor); }, true, a, {}},
      {"HostActorIsSneaking", 0x004D9290, (void*)Member0, [&] { return HostActorIsSneaking(actor); }, true, a, {}},
      {"HostActorIsJumping", 0x006AB2F0, (void*)Member0, [&] { return HostActorIsJumping(actor); }, true, a, {}},
      {"HostActorIsDead", 0x008DA830, (void*)Plain3, [&] { return HostActorIsDead(actor); }, true, 0, {0, 0, a}},
      {"HostActorIsMounted", 0x008DCB40, (void*)Plain3, [&] { return HostActorIsMounted(actor); }, true, 0, {0, 0, a}},
      {"HostActorIsSitting", 0x008DA8E0, (void*)Plain3, [&] { return HostActorIsSitting(actor); }, true, 0, {0, 0, a}},
      {"HostFactionQuery", 0x006A90C0, (void*)Member2, [&] { return HostFactionQuery(actor, As<HostConditionForm>(other), true); }, true, a, {W(other), 1}},
      {"HostHasPerk", 0x006AA190, (void*)Member1, [&] { return HostHasPerk(actor, form); }, true, a, {f}},
      {"HostHasKeyword", 0x006A9550, (void*)Member1, [&] { return HostHasKeyword(actor, As<HostKeyword>(other)); }, true, a, {W(other)}},
      {"HostWornVisit", 0x00476800, (void*)Plain1, [&] { return W(HostWornVisit(actor)); }, true, 0, {a}},
      {"HostWornVisitCallback", 0x004769C0, (void*)Plain2, [&] { return HostWornVisitCallback(As<HostWornItems>(other), As<HostKeyword>(object)); }, true, 0, {W(other), a}},
      {"HostHasMagicEffectKeyword", 0x006635B0, (void*)Member2, [&] { return HostHasMagicEffectKeyword(actor, form); }, true, a + 0x54, {f, 0}},
      {"HostInputPollStep", 0x00772A50, (void*)Member0, [&] { return HostInputPollStep(As<HostInputManager>(other)); }, true, W(other), {}},
      {"HostLookupRefByHandle", 0x004951F0, (void*)LookupRefByHandle, [] { return W(HostLookupRefByHandle(0x00100234)); }, true, 0, {0x00100234}},
      {"HostReleaseRef", 0x0040B110, (void*)ReleaseRef, [&] { HostReleaseRef(As<HostRef>(other)); return 0u; }, false, 0, {W(other)}},
      {"HostPlayerCrosshairPick", 0x0073DBA0, (void*)CrosshairPick, [&] { HostPlayerCrosshairPick(As<HostRef>(other)); return 0u; }, false, W(other), {}},
  };
  for (const auto& call : calls) {
    SCOPED_TRACE(call.name);
    PlaceJump(call.address, call.fake);
    recorded = {};
    const uint32_t result = call.call();
    EXPECT_EQ(recorded.calls, 1);
    if (call.self != 0) {
      EXPECT_EQ(recorded.self, call.self);
    }
    EXPECT_EQ(recorded.args, call.args);
    if (call.answers) {
      EXPECT_EQ(result, answer);
    }
  }
}

TEST_F(BindingTest, VirtualSlotsAreCalledThroughTheObjectsTable) {
  uint32_t table[48] = {};
  table[39] = W(reinterpret_cast<void*>(Member1));  // byte 0x9C: find descendant by name
  table[1] = W(reinterpret_cast<void*>(Member1));   // byte 0x04: send an animation event
  table[7] = W(reinterpret_cast<void*>(Member0));   // byte 0x1C: active magic effects
  EngineString name{0x55};

  Poke<uint32_t>(W(other), W(table));
  EXPECT_EQ(W(HostNodeFindDescendant(As<HostNode>(other), &name)), answer);
  EXPECT_EQ(recorded.self, W(other));
  EXPECT_EQ(recorded.args, std::vector<uint32_t>{W(&name)});

  Poke<uint32_t>(W(other) + 0x20, W(table));
  HostSendAnimEvent(As<HostActor>(other), &name);
  EXPECT_EQ(recorded.self, W(other) + 0x20);
  EXPECT_EQ(recorded.args, std::vector<uint32_t>{W(&name)});

  Poke<uint32_t>(W(other) + 0x54, W(table));
  EXPECT_EQ(W(HostActorActiveEffects(As<HostActor>(other))), answer);
  EXPECT_EQ(recorded.self, W(other) + 0x54);
  EXPECT_EQ(recorded.calls, 3);
}

TEST_F(BindingTest, ConsolePrintGetsTheFinishedLineAndAnEmptyArgumentList) {
  PlaceJump(0x008486F0, reinterpret_cast<void*>(ConsolePrint));
  HostConsolePrint(As<HostConsole>(other), "Vantrel: 100%% done");
  EXPECT_EQ(recorded.self, W(other));
  EXPECT_EQ(recorded.args, std::vector<uint32_t>{1});  // a list is passed
  EXPECT_EQ(printed, "Vantrel: 100%% done");
}

TEST_F(BindingTest, ConsolePrintKeepsTheStackWhicheverSideRemovesTheArguments) {
  for (void* console : {(void*)ConsolePrint, (void*)ConsolePrintCallerCleans}) {
    PlaceJump(0x008486F0, console);
    recorded = {};
    // Many calls: a stack pointer left off by each would run far from where it should be.
    for (int i = 0; i < 1000; ++i) HostConsolePrint(As<HostConsole>(other), "line");
    EXPECT_EQ(recorded.calls, 1000);
    EXPECT_EQ(printed, "line");
  }
}

TEST_F(BindingTest, KeyStateGoesThroughTheGamesImportSlot) {
  Poke<uint32_t>(0x0106B2BC, W(reinterpret_cast<void*>(KeyState)));
  const uint32_t state = HostKeyState(0x2A);
  EXPECT_EQ(recorded.args, std::vector<uint32_t>{0x2A});
  EXPECT_TRUE(state & 0x8000);
}

}  // namespace
