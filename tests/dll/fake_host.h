#pragma once
// The game objects and functions the plug-in meets while it loads and runs frames: a player
// with a skeleton (eye and head nodes), an AI process whose head tracking the plug-in drives
// and a base form, a player camera in a head-camera state, a console, engine strings, the
// form lookup and the run-time type check.

#include <cstdint>
#include <string>
#include <vector>

struct FakeNode {
  uint32_t table;  // +0x00 virtual table
  uint8_t unused[0x50];
  float rotation[9];     // +0x54
  float translation[3];  // +0x78
  uint8_t rest[0x40];
};

struct FakeHost {
  alignas(16) uint8_t player[0x400];
  alignas(16) uint8_t loaded3D[0x40];
  alignas(16) uint8_t camera[0x100];
  alignas(16) uint8_t cameraState[0x100];
  alignas(16) uint8_t uiState[0x40];
  alignas(16) uint8_t mainState[0x100];
  alignas(16) uint8_t console[0x40];
  alignas(16) uint8_t aiProcess[0x40];
  alignas(16) uint8_t baseForm[0x20];
  FakeNode root{}, eye{}, head{};
  uint32_t nodeTable[48] = {};

  std::vector<std::string> consoleLines;
  int engineStringsCreated = 0;
  int engineStringsReleased = 0;
  std::vector<uint32_t> weaponRefreshes;  // the weapon-out argument of each refresh
};

extern FakeHost fakeHost;

// Places the objects at the game's globals and the functions at the game's addresses.
void InstallFakeHost();
void SetPlayerStateWord(uint32_t word);
// The form id of the player's base form, which the configuration can test.
void SetPlayerBaseFormId(uint32_t formId);
float CameraFieldOfView();
void SetCameraFieldOfView(float degrees);
// Moves the eye node to `place` (and the next two units) and turns the head node by `angle`.
void PlaceHead(float place, float angle);
