#pragma once
// The fake game image at the game's own addresses: the original code at every hook site,
// landing pads where the stubs continue, stand-ins at the functions the sites call, and room
// for fake globals and host functions. Its addresses come from the hook table's listings as
// written for these tests, not from the plug-in's address table.

#include <cstdint>
#include <cstring>
#include <span>

constexpr uint32_t kImageStart = 0x00400000;
constexpr uint32_t kImageEnd = 0x01C00000;
// A landing pad for code that returns to its caller (hook 23).
constexpr uint32_t kReturnPad = 0x01A00000;

// Makes the image present and writable: mmap on Linux, the harness's own section on Windows.
bool MapFakeImage();

// Writes the game's code at every site, the landing pads and the callee stand-ins.
void BuildFakeImage();
// Puts one site (1 to 31) back to the game's code, undoing its patch.
void RestoreOriginalCode(int row);
uint32_t OriginalSite(int row);
// The game's code of a row's site, as assembled from its listing; it covers the patch.
std::span<const uint8_t> OriginalListing(int row);

// E9 xxxxxxxx at `at`, jumping to `target`.
void PlaceJump(uint32_t at, const void* target);

template <typename T>
void Poke(uint32_t address, T value) {
  std::memcpy(reinterpret_cast<void*>(address), &value, sizeof value);
}

template <typename T>
T Peek(uint32_t address) {
  T value;
  std::memcpy(&value, reinterpret_cast<const void*>(address), sizeof value);
  return value;
}
