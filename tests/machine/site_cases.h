#pragma once
// The cases every patched site is driven through, shared by the machine tier (stubs against
// bridge doubles) and the DLL tier (the real vantrel.dll under Wine). A case sets up the game's
// state at the site and says what the patched site must leave compared with the game's own
// code run from the same state.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "site_runner.h"

// Bytes to place in memory before a run, or to find there after it.
struct MemoryEdit {
  uint32_t address;
  std::vector<uint8_t> bytes;
};

// What the plug-in writes where a hook's purpose is to write; each tier has its own values.
struct SiteEffects {
  float position[3];  // the head camera's position
  float rotation[9];  // and rotation
  float yaw, pitch;   // a look restricted from the cases' yaw and pitch (both beyond the limits)
  float pitchMinimum, pitchMaximum;
  float turn;                   // a queued horizontal turn, in look-input units
  uint32_t faceCrosshairState;  // where hook 9 hands its state to the plug-in (machine tier)
};

// The plug-in's state a case needs. The DLL tier builds it from a configuration and the fake
// game (whose camera is in a head-camera state and whose player has form id 0x14); the machine
// tier has its bridge doubles give the answer that state leads to (SiteCase::answer).
struct CaseWorld {
  bool activated = false;       // bActivated: with the head-camera state, the head camera shows
  bool headTracking = false;    // bHeadtrack: the plug-in tracks the player's head
  bool zoomSwitch = false;      // bZoomIntoQARN
  bool toggleSwitch = false;    // bToggleIntoQARN
  int32_t faceCrosshair = 0;    // iFaceCrosshair
  bool refreshPending = false;  // a changed field of view that hook 17 has not taken yet
  bool turnQueued = false;      // a horizontal turn waits for the look input

  bool operator==(const CaseWorld&) const = default;
};

// What the plug-in has done once the site has run, seen at the next frame (DLL tier).
enum class Afterwards : uint8_t { Nothing, CameraOn, CameraOff, MountWindow, DismountWindow };

constexpr uint32_t kPlayerFormId = 0x14;
constexpr uint32_t kOtherActorFormId = 0x15;

struct ExpectedCall {
  std::string name;
  std::vector<uint32_t> args;
  uint32_t calleesBefore;  // game functions the site had called before this bridge call
};

// Built by a case from its input: how the patched run differs from the game's own code.
struct CaseExpectation {
  CaseExpectation(const CpuState& input, uint32_t spare, const SiteEffects& siteEffects)
      : in(input), spareMemory(spare), effects(siteEffects), goldenIn(input) {}

  const CpuState& in;  // the arranged input of both runs
  uint32_t spareMemory;
  const SiteEffects& effects;

  // The game's code is run from goldenIn, after the case's edits and goldenEdits: what the
  // hook changes before the displaced instructions run.
  CpuState goldenIn;
  std::vector<MemoryEdit> goldenEdits;
  // Set when the displaced instructions are skipped: the state at the site, continuing here.
  std::optional<uint32_t> skipTo;
  // Where the patched site continues, when not where the game's code goes.
  std::optional<uint32_t> reach;
  // What the hook changes after the displaced instructions.
  std::vector<MemoryEdit> writes;
  std::optional<uint32_t> eax;
  std::vector<ExpectedCall> calls;  // checked by the machine tier

  void WriteBefore(uint32_t address, const void* bytes, size_t size);
  void WriteAfter(uint32_t address, const void* bytes, size_t size);
  void Call(std::string name, std::vector<uint32_t> args, uint32_t calleesBefore = 0);
};

// The game's state at the site, on top of SiteBench::Input.
struct CaseSetup {
  CpuState& in;
  uint32_t spareMemory;  // game memory that no register points at (0x200 bytes)
  std::vector<MemoryEdit>& edits;
  void Set32(uint32_t address, uint32_t value);
  void Set8(uint32_t address, uint8_t value);
};

struct SiteCase {
  int row;
  const char* what;
  CaseWorld world;
  // The machine tier's answer: what the bridge answers, or whether it performs its effect
  // (0 = the plug-in leaves the game alone); at hook 9 the face-crosshair state it hands back.
  int32_t answer;
  void (*setup)(CaseSetup&);
  void (*expect)(CaseExpectation&);
  Afterwards afterwards = Afterwards::Nothing;
  bool insideClamp = false;           // run between hooks 30 and 31
  std::optional<uint32_t> onlyFlags;  // the input flags the case needs (else: set and clear)
};

std::span<const SiteCase> SiteCases();
// The row's cases, in the order of the table.
std::vector<const SiteCase*> SiteCasesOf(int row);
