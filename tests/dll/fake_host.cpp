// The game's functions the DLL calls, played on the fake game image.

#include "fake_host.h"

#include <cmath>
#include <cstring>

#include "fake_game.h"

#pragma GCC diagnostic ignored "-Wattributes"  // thiscall on free functions
#define THISCALL __attribute__((thiscall))

FakeHost fakeHost;

namespace {

constexpr uint32_t kPlayerFormId = 0x14;
constexpr uint32_t kTypeReference = 0x0123D0BC;
constexpr uint32_t kTypeActor = 0x0123EA2C;

uint32_t W(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }

void* LookupFormById(uint32_t formId) {
  return formId == kPlayerFormId ? fakeHost.player : nullptr;
}

void* DynamicCast(void* object, uint32_t, uint32_t, uint32_t toType, uint32_t) {
  const bool playerType = toType == kTypeReference || toType == kTypeActor;
  return object == fakeHost.player && playerType ? object : nullptr;
}

// An engine string holds a pointer to its text here.
void THISCALL EngineStringCreate(uint32_t* slot, const char* text) {
  *slot = W(text);
  ++fakeHost.engineStringsCreated;
}
void THISCALL EngineStringRelease(uint32_t* slot) {
  *slot = 0;
  ++fakeHost.engineStringsReleased;
}

FakeNode* THISCALL FindDescendant(FakeNode*, const uint32_t* name) {
  const char* text = reinterpret_cast<const char*>(*name);
  if (std::strcmp(text, "NPCEyeBone") == 0) return &fakeHost.eye;
  if (std::strcmp(text, "NPC Head [Head]") == 0) return &fakeHost.head;
  return nullptr;
}

void THISCALL SetHeadTrackTarget(void*, void*, const float*) {}
void THISCALL ClearHeadTrackTarget(void*) {}
void THISCALL SetGraphBool(void*, const uint32_t*, uint32_t) {}

void THISCALL CameraWeaponRefresh(void*, uint32_t weaponOut) {
  fakeHost.weaponRefreshes.push_back(weaponOut & 0xFF);
}

void THISCALL ConsolePrint(void*, const char* format, const void*) {
  fakeHost.consoleLines.push_back(format);
}

// A node turned by `angle` about its Z axis, at a place of its own.
void SetNode(FakeNode& node, float angle, float place) {
  const float c = std::cos(angle), s = std::sin(angle);
  const float rotation[9] = {c, -s, 0, s, c, 0, 0, 0, 1};
  node.table = W(fakeHost.nodeTable);
  std::memcpy(node.rotation, rotation, sizeof rotation);
  for (int i = 0; i < 3; ++i) node.translation[i] = place + static_cast<float>(i);
}

}  // namespace

void InstallFakeHost() {
  FakeHost& host = fakeHost;
  host.nodeTable[39] = W(reinterpret_cast<void*>(&FindDescendant));
  SetNode(host.root, 0.0f, 100);
  PlaceHead(200, 0.5f);

  Poke<uint32_t>(W(host.player) + 0x0C, kPlayerFormId);
  Poke<uint32_t>(W(host.player) + 0x44, W(host.loaded3D));
  Poke<uint32_t>(W(host.player) + 0x24, W(host.baseForm));
  Poke<uint32_t>(W(host.player) + 0x88, W(host.aiProcess));
  Poke<uint32_t>(W(host.loaded3D) + 0x20, W(&host.root));
  Poke<uint32_t>(W(host.camera) + 0x20, W(host.cameraState));
  Poke<float>(W(host.camera) + 0xAC, 70.0f);
  Poke<int32_t>(W(host.cameraState) + 0x0C, 9);  // a head-camera state

  Poke<uint32_t>(0x01B2E8E4, W(host.player));     // player
  Poke<uint32_t>(0x012E7288, W(host.camera));     // player camera
  Poke<uint32_t>(0x01B2E860, W(host.uiState));    // running: byte +0x0A is 0
  Poke<uint32_t>(0x012E7458, W(host.mainState));  // running: byte +0x98 is 0
  Poke<uint32_t>(0x01B10B58, W(host.console));
  Poke<float>(0x01B4ADE0, 0.05f);  // frame times
  Poke<float>(0x01B4ADE4, 0.05f);
  Poke<float>(0x012C8D54, 15.0f);  // near clip

  PlaceJump(0x00451A30, reinterpret_cast<void*>(&LookupFormById));
  PlaceJump(0x00F51DAE, reinterpret_cast<void*>(&DynamicCast));
  PlaceJump(0x00A511C0, reinterpret_cast<void*>(&EngineStringCreate));
  PlaceJump(0x00A511B0, reinterpret_cast<void*>(&EngineStringRelease));
  PlaceJump(0x0083C7E0, reinterpret_cast<void*>(&CameraWeaponRefresh));
  PlaceJump(0x00723E40, reinterpret_cast<void*>(&SetHeadTrackTarget));
  PlaceJump(0x0071F360, reinterpret_cast<void*>(&ClearHeadTrackTarget));
  PlaceJump(0x00650C60, reinterpret_cast<void*>(&SetGraphBool));
  PlaceJump(0x008486F0, reinterpret_cast<void*>(&ConsolePrint));
}

void SetPlayerStateWord(uint32_t word) { Poke<uint32_t>(W(fakeHost.player) + 0x6C, word); }

void SetPlayerBaseFormId(uint32_t formId) { Poke<uint32_t>(W(fakeHost.baseForm) + 0x0C, formId); }

float CameraFieldOfView() { return Peek<float>(W(fakeHost.camera) + 0xAC); }
void SetCameraFieldOfView(float degrees) { Poke<float>(W(fakeHost.camera) + 0xAC, degrees); }

void PlaceHead(float place, float angle) {
  SetNode(fakeHost.eye, angle / 2, place);
  SetNode(fakeHost.head, angle, place + 100);
}
