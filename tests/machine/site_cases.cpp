// The site cases both tiers share: per hook, the game's state before and what must hold after.

#include "site_cases.h"

#include <cstring>

#include "fake_game.h"
#include "host/game/addresses.h"
#include "site_oracle.h"

void CaseExpectation::WriteBefore(uint32_t address, const void* bytes, size_t size) {
  const auto* first = static_cast<const uint8_t*>(bytes);
  goldenEdits.push_back({address, {first, first + size}});
}

void CaseExpectation::WriteAfter(uint32_t address, const void* bytes, size_t size) {
  const auto* first = static_cast<const uint8_t*>(bytes);
  writes.push_back({address, {first, first + size}});
}

void CaseExpectation::Call(std::string name, std::vector<uint32_t> args, uint32_t calleesBefore) {
  calls.push_back({std::move(name), std::move(args), calleesBefore});
}

void CaseSetup::Set32(uint32_t address, uint32_t value) {
  edits.push_back({address, std::vector<uint8_t>(4)});
  std::memcpy(edits.back().bytes.data(), &value, 4);
}

void CaseSetup::Set8(uint32_t address, uint8_t value) { edits.push_back({address, {value}}); }

namespace {

uint32_t Bits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// --- Setups ---

void Nothing(CaseSetup&) {}
void FollowedActorAtEsi(CaseSetup& s) { s.Set32(s.in.esi + 0x0C, kPlayerFormId); }
void OtherActorAtEsi(CaseSetup& s) { s.Set32(s.in.esi + 0x0C, kOtherActorFormId); }
void RotationSlotAt2C(CaseSetup& s) { s.Set32(s.in.esp + 0x2C, s.spareMemory); }
void RotationSlotAt5C(CaseSetup& s) { s.Set32(s.in.esp + 0x5C, s.spareMemory); }
void FlagInBl(CaseSetup& s) { s.in.ebx = (s.in.ebx & ~0xFFu) | 7; }
void NoFlagInBl(CaseSetup& s) { s.in.ebx &= ~0xFFu; }
void SameZoomValue(CaseSetup& s) { s.Set32(s.in.ebx + 0xF4, s.in.ecx); }
void GameAnswersNo(CaseSetup&) { fakeCalleeResult = 0x12345600; }
void GameAnswersYes(CaseSetup&) { fakeCalleeResult = 0x12345601; }
void FrameGlobal(CaseSetup& s) { s.Set32(0x012E35C8, 0x13572468); }
// A camera state in a cleared-offset state, at ECX or ESI.
void ClearedStateAtEcx(CaseSetup& s) { s.Set32(s.in.ecx + 0x0C, 9); }
void ClearedStateAtEsi(CaseSetup& s) { s.Set32(s.in.esi + 0x0C, 9); }
void ClearedStateReturning(CaseSetup& s) {
  ClearedStateAtEsi(s);
  s.Set32(s.in.esp + 4, kReturnPad);  // where `ret 4` goes
}
void PickGlobal(CaseSetup& s) { s.Set8(0x012E2BD8, 0x01); }
void LookInput(CaseSetup& s) {
  s.Set32(s.in.esi, Bits(0.5f));
  s.Set32(s.in.esi + 4, Bits(0.25f));
}
void EventKind3(CaseSetup& s) { s.Set8(s.in.ecx + 0x10, 3); }
void EventKind4(CaseSetup& s) { s.Set8(s.in.ecx + 0x10, 4); }

// --- Expectations ---
// Where the game's code goes on is written here from the instruction listings, apart from
// hooks.def, so that a wrong address there shows.

void Unchanged(CaseExpectation&) {}

void HeadTrackingCall(CaseExpectation& e) { e.Call("IsHeadTrackedActor", {e.in.esi}); }
void HeadTrackingSkipped(CaseExpectation& e) {
  HeadTrackingCall(e);
  e.skipTo = 0x006CF3FD;  // the game's head tracking is skipped
}

void WriteView(CaseExpectation& e, uint32_t position, uint32_t rotation) {
  e.WriteAfter(position, e.effects.position, sizeof e.effects.position);
  e.WriteAfter(rotation, e.effects.rotation, sizeof e.effects.rotation);
}

void RestrictCall(CaseExpectation& e) {
  const CpuState& in = e.in;
  e.Call("RestrictAndOverride", {in.esi + 0xAC, in.esi + 0xB0, in.esi + 0x20, e.spareMemory}, 0);
}
void RestrictedAndOverridden(CaseExpectation& e) {
  RestrictCall(e);
  e.WriteAfter(e.in.esi + 0xAC, &e.effects.yaw, 4);
  e.WriteAfter(e.in.esi + 0xB0, &e.effects.pitch, 4);
  WriteView(e, e.in.esi + 0x20, e.spareMemory);
}

void OverrideAfterCall(CaseExpectation& e) { e.Call("Override", {e.in.esi, e.spareMemory}, 1); }
void OverriddenAfterCall(CaseExpectation& e) {
  OverrideAfterCall(e);
  WriteView(e, e.in.esi, e.spareMemory);
}

void OverrideOfFrame(CaseExpectation& e) { e.Call("Override", {e.in.ebp + 0x20, e.in.ebp + 0xBC}); }
void OverriddenOfFrame(CaseExpectation& e) {
  OverrideOfFrame(e);
  WriteView(e, e.in.ebp + 0x20, e.in.ebp + 0xBC);
}

void DismountCall(CaseExpectation& e) { e.Call("OnDismountStart", {e.in.esi}); }
void MountCall(CaseExpectation& e) { e.Call("OnMountStart", {e.in.esi}); }

void SwitchAllowed(CaseExpectation& e) { e.Call("AllowsHostCameraSwitch", {}); }
void SwitchSkipped(CaseExpectation& e) {
  SwitchAllowed(e);
  e.skipTo = 0x0083D3A1;
}

// Hook 9: the state the plug-in gets (the game's flag) and what it makes of BL and EAX.
void FaceCall(CaseExpectation& e) {
  e.Call("FaceCrosshairOverride", {e.effects.faceCrosshairState, (e.in.ebx & 0xFF) != 0 ? 1u : 0u});
}
void SetBl(CaseExpectation& e, uint8_t bl) { e.goldenIn.ebx = (e.goldenIn.ebx & ~0xFFu) | bl; }
void FaceFlagSet(CaseExpectation& e) {
  FaceCall(e);
  SetBl(e, 1);
  e.goldenIn.eax = 0;
}
void FaceFlagCleared(CaseExpectation& e) {
  FaceCall(e);
  SetBl(e, 0);
}
void FaceFlagClearedEaxSet(CaseExpectation& e) {
  FaceFlagCleared(e);
  e.goldenIn.eax = 1;
}

// Hook 10: the method's first stack argument, at ESP+0Ch after the two pushes.
void ArgumentCall(CaseExpectation& e) { e.Call("FaceCrosshairArgument", {e.in.esp + 4}); }
void ArgumentWritten(CaseExpectation& e) {
  ArgumentCall(e);
  const uint32_t one = 1;
  e.WriteBefore(e.in.esp + 4, &one, 4);
}

void ZoomInCall(CaseExpectation& e) { e.Call("ZoomIn", {}); }
void ZoomInTakesOver(CaseExpectation& e) {
  ZoomInCall(e);
  e.skipTo = 0x00840E2E;
}
void ZoomOutCall(CaseExpectation& e) { e.Call("ZoomOut", {}); }
void ToggleCall(CaseExpectation& e) { e.Call("ToggleActivation", {}); }
void ToggleTakesOver(CaseExpectation& e) {
  ToggleCall(e);
  e.skipTo = 0x00840D08;
}
void ZoomInAfterCall(CaseExpectation& e) { e.Call("ZoomIn", {}, 1); }
void FrameCall(CaseExpectation& e) { e.Call("Update", {}); }

void RefreshCall(CaseExpectation& e) { e.Call("TakeViewRefreshRequest", {}); }
void RefreshTaken(CaseExpectation& e) {
  RefreshCall(e);
  e.skipTo = 0x00B179D4;
}

void ClearAt(CaseExpectation& e, uint32_t state) { e.Call("ClearStateOffsets", {state}); }
void ClearCallEcx(CaseExpectation& e) { ClearAt(e, e.in.ecx); }
void ClearCallEsi(CaseExpectation& e) { ClearAt(e, e.in.esi); }
void Cleared(CaseExpectation& e, uint32_t state) {
  ClearAt(e, state);
  const uint8_t zeros[12] = {};
  e.WriteAfter(state + 0x3C, zeros, sizeof zeros);
}
void ClearedEcx(CaseExpectation& e) { Cleared(e, e.in.ecx); }
void ClearedEsi(CaseExpectation& e) { Cleared(e, e.in.esi); }

void PickCall(CaseExpectation& e) { e.Call("SetFocusPick", {e.in.esp + 0x3C}); }

void LookCall(CaseExpectation& e) { e.Call("AddLookInput", {e.in.esi}); }
void LookTurned(CaseExpectation& e) {
  LookCall(e);
  const float horizontal = 0.5f + e.effects.turn;
  e.WriteAfter(e.in.esi, &horizontal, 4);
}

void KindFourAsked(CaseExpectation& e) { e.Call("IsHeadCameraActive", {}); }
void KindFourHeld(CaseExpectation& e) {
  KindFourAsked(e);
  e.reach = 0x00772A96;
}

void QueryAsked(CaseExpectation& e, uint32_t eax) {
  e.Call("IsHeadCameraActive", {}, 1);
  e.eax = eax;
}
void QueryTrue(CaseExpectation& e) { QueryAsked(e, 1); }
void QueryFalse(CaseExpectation& e) { QueryAsked(e, 0); }

// Hook 29: after the displaced push, the minimum is at ESP+0Ch and the maximum at ESP+8.
void LimitsCall(CaseExpectation& e) {
  e.Call("SetPitchLimits", {e.in.esi, e.in.esp + 8, e.in.esp + 4});
}
void LimitsWritten(CaseExpectation& e) {
  LimitsCall(e);
  e.WriteBefore(e.in.esp + 8, &e.effects.pitchMinimum, 4);
  e.WriteBefore(e.in.esp + 4, &e.effects.pitchMaximum, 4);
}

constexpr CaseWorld kOff{};
constexpr CaseWorld kOn{.activated = true};
constexpr CaseWorld kTracking{.headTracking = true};
constexpr CaseWorld kZoom{.zoomSwitch = true};
constexpr CaseWorld kOnZoom{.activated = true, .zoomSwitch = true};
constexpr CaseWorld kOnToggle{.activated = true, .toggleSwitch = true};
constexpr CaseWorld kRefresh{.refreshPending = true};
constexpr CaseWorld kTurn{.turnQueued = true};
constexpr CaseWorld Face(int32_t face) { return {.faceCrosshair = face}; }

using A = Afterwards;

SiteCase Case(int row, const char* what, CaseWorld world, int32_t answer, void (*setup)(CaseSetup&),
              void (*expect)(CaseExpectation&), Afterwards afterwards = A::Nothing) {
  SiteCase siteCase{};
  siteCase.row = row;
  siteCase.what = what;
  siteCase.world = world;
  siteCase.answer = answer;
  siteCase.setup = setup;
  siteCase.expect = expect;
  siteCase.afterwards = afterwards;
  return siteCase;
}

SiteCase WithFlags(SiteCase siteCase, uint32_t flags) {
  siteCase.onlyFlags = flags;
  return siteCase;
}

SiteCase InsideClamp(SiteCase siteCase) {
  siteCase.insideClamp = true;
  return siteCase;
}

const SiteCase kCases[] = {
    Case(HookSkipHeadTrackingEarly::number, "an actor the plug-in does not track", kTracking, 0,
         OtherActorAtEsi, HeadTrackingCall),
    Case(HookSkipHeadTrackingEarly::number, "the actor the plug-in tracks", kTracking, 1,
         FollowedActorAtEsi, HeadTrackingSkipped),
    Case(HookSkipHeadTrackingLate::number, "an actor the plug-in does not track", kTracking, 0,
         OtherActorAtEsi, HeadTrackingCall),
    Case(HookSkipHeadTrackingLate::number, "the actor the plug-in tracks", kTracking, 1,
         FollowedActorAtEsi, HeadTrackingSkipped),
    Case(HookRestrictAndOverrideView::number, "the game's own view", kOff, 0, RotationSlotAt2C,
         RestrictCall),
    Case(HookRestrictAndOverrideView::number, "the head camera", kOn, 1, RotationSlotAt2C,
         RestrictedAndOverridden),
    Case(HookOverrideViewAfterCall::number, "the game's own view", kOff, 0, RotationSlotAt5C,
         OverrideAfterCall),
    Case(HookOverrideViewAfterCall::number, "the head camera", kOn, 1, RotationSlotAt5C,
         OverriddenAfterCall),
    Case(HookOverrideViewOfFrame::number, "the game's own view", kOff, 0, Nothing, OverrideOfFrame),
    Case(HookOverrideViewOfFrame::number, "the head camera", kOn, 1, Nothing, OverriddenOfFrame),
    Case(HookDismountStart::number, "another actor dismounts", kOff, 0, OtherActorAtEsi,
         DismountCall),
    Case(HookDismountStart::number, "the player dismounts", kOff, 0, FollowedActorAtEsi,
         DismountCall, A::DismountWindow),
    Case(HookMountStart::number, "another actor mounts", kOff, 0, OtherActorAtEsi, MountCall),
    Case(HookMountStart::number, "the player mounts", kOff, 0, FollowedActorAtEsi, MountCall,
         A::MountWindow),
    Case(HookSkipHostCameraSwitch::number, "the game's own view", kOff, 0, Nothing, SwitchAllowed),
    Case(HookSkipHostCameraSwitch::number, "the head camera", kOn, 1, Nothing, SwitchSkipped),
    Case(HookFaceCrosshairState::number, "no face-crosshair override", Face(0), 0, FlagInBl,
         FaceCall),
    Case(HookFaceCrosshairState::number, "face-crosshair -1", Face(-1), 3, NoFlagInBl, FaceFlagSet),
    Case(HookFaceCrosshairState::number, "face-crosshair 1", Face(1), 4, FlagInBl, FaceFlagCleared),
    Case(HookFaceCrosshairState::number, "face-crosshair 2", Face(2), 5, FlagInBl,
         FaceFlagClearedEaxSet),
    Case(HookFaceCrosshairArgument::number, "no face-crosshair override", Face(0), 0, Nothing,
         ArgumentCall),
    Case(HookFaceCrosshairArgument::number, "face-crosshair -2", Face(-2), 1, Nothing,
         ArgumentWritten),
    Case(HookZoomIntoFirstPerson::number, "zooming does not switch", kOff, 0, Nothing, ZoomInCall,
         A::CameraOff),
    Case(HookZoomIntoFirstPerson::number, "zooming switches the plug-in on", kZoom, 1, Nothing,
         ZoomInTakesOver, A::CameraOn),
    Case(HookZoomOutOfFirstPerson::number, "the zoom stays", kOnZoom, 0, SameZoomValue, Unchanged,
         A::CameraOn),
    Case(HookZoomOutOfFirstPerson::number, "zooming out switches the plug-in off", kOnZoom, 0,
         Nothing, ZoomOutCall, A::CameraOff),
    Case(HookToggleFirstPerson::number, "toggling does not switch", kOn, 0, Nothing, ToggleCall,
         A::CameraOn),
    Case(HookToggleFirstPerson::number, "toggling switches the plug-in off", kOnToggle, 1, Nothing,
         ToggleTakesOver, A::CameraOff),
    Case(HookToggleFirstPersonSeen::number, "toggling does not switch", kOn, 0, Nothing, ToggleCall,
         A::CameraOn),
    Case(HookToggleFirstPersonSeen::number, "toggling switches the plug-in off", kOnToggle, 1,
         Nothing, ToggleCall, A::CameraOff),
    Case(HookZoomInSeen::number, "the game does not zoom", kZoom, 1, GameAnswersNo, Unchanged,
         A::CameraOff),
    Case(HookZoomInSeen::number, "the game zooms in", kZoom, 1, GameAnswersYes, ZoomInAfterCall,
         A::CameraOn),
    Case(HookFrameUpdate::number, "a frame", kOn, 0, FrameGlobal, FrameCall),
    WithFlags(Case(HookViewRefresh::number, "the operands differ", kRefresh, 1, Nothing, Unchanged),
              kFlagsClear),
    WithFlags(
        Case(HookViewRefresh::number, "a view refresh waits", kRefresh, 1, Nothing, RefreshTaken),
        kFlagsSet),
    WithFlags(Case(HookViewRefresh::number, "no view refresh waits", kOff, 0, Nothing, RefreshCall),
              kFlagsSet),
    Case(HookClearOffsetsAfterReset::number, "the game's own view", kOff, 0, ClearedStateAtEcx,
         ClearCallEcx),
    Case(HookClearOffsetsAfterReset::number, "the head camera", kOn, 1, ClearedStateAtEcx,
         ClearedEcx),
    Case(HookClearOffsetsAfterStore3CLate::number, "the game's own view", kOff, 0,
         ClearedStateAtEcx, ClearCallEcx),
    Case(HookClearOffsetsAfterStore3CLate::number, "the head camera", kOn, 1, ClearedStateAtEcx,
         ClearedEcx),
    Case(HookClearOffsetsAfterStore3C::number, "the game's own view", kOff, 0, ClearedStateAtEcx,
         ClearCallEcx),
    Case(HookClearOffsetsAfterStore3C::number, "the head camera", kOn, 1, ClearedStateAtEcx,
         ClearedEcx),
    Case(HookClearOffsetsAfterStore44::number, "the game's own view", kOff, 0, ClearedStateAtEcx,
         ClearCallEcx),
    Case(HookClearOffsetsAfterStore44::number, "the head camera", kOn, 1, ClearedStateAtEcx,
         ClearedEcx),
    Case(HookClearOffsetsAfterStore44Esi::number, "the game's own view", kOff, 0, ClearedStateAtEsi,
         ClearCallEsi),
    Case(HookClearOffsetsAfterStore44Esi::number, "the head camera", kOn, 1, ClearedStateAtEsi,
         ClearedEsi),
    Case(HookClearOffsetsOnReturn::number, "the game's own view", kOff, 0, ClearedStateReturning,
         ClearCallEsi),
    Case(HookClearOffsetsOnReturn::number, "the head camera", kOn, 1, ClearedStateReturning,
         ClearedEsi),
    Case(HookFocusPick::number, "a crosshair pick", kOn, 0, PickGlobal, PickCall),
    Case(HookFocusPickEnd::number, "the end of the pick", kOn, 0, Nothing, Unchanged),
    Case(HookLookInput::number, "nothing queued", kOff, 0, LookInput, LookCall),
    Case(HookLookInput::number, "a queued turn", kTurn, 1, LookInput, LookTurned),
    Case(HookInputEventKindFour::number, "another kind of event", kOn, 1, EventKind3, Unchanged),
    Case(HookInputEventKindFour::number, "kind 4 without the head camera", kOff, 0, EventKind4,
         KindFourAsked),
    Case(HookInputEventKindFour::number, "kind 4 with the head camera", kOn, 1, EventKind4,
         KindFourHeld),
    Case(HookHostQueryWhileHeadCamera::number, "the game answers no", kOn, 1, GameAnswersNo,
         Unchanged),
    Case(HookHostQueryWhileHeadCamera::number, "yes, without the head camera", kOff, 0,
         GameAnswersYes, QueryTrue),
    Case(HookHostQueryWhileHeadCamera::number, "yes, with the head camera", kOn, 1, GameAnswersYes,
         QueryFalse),
    InsideClamp(Case(HookPitchLimits::number, "inside the clamping function", kOn, 1,
                     FollowedActorAtEsi, LimitsWritten)),
    InsideClamp(Case(HookPitchLimits::number, "inside, another actor", kOn, 0, OtherActorAtEsi,
                     LimitsCall)),
    Case(HookPitchLimits::number, "after the clamping function", kOn, 1, FollowedActorAtEsi,
         Unchanged),
    Case(HookPitchClampEnter::number, "entering the clamping function", kOn, 0, Nothing, Unchanged),
    Case(HookPitchClampExit::number, "leaving it", kOn, 0, Nothing, Unchanged),
};

}  // namespace

std::span<const SiteCase> SiteCases() { return kCases; }

std::vector<const SiteCase*> SiteCasesOf(int row) {
  std::vector<const SiteCase*> cases;
  for (const SiteCase& siteCase : kCases) {
    if (siteCase.row == row) cases.push_back(&siteCase);
  }
  return cases;
}
