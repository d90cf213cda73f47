// The hook rows in installation order, with the bytes of the instructions each one displaces.
#include <algorithm>
#include <cstring>

#include "host/game/addresses.h"
#include "plugin/hooks/hook_stubs.h"
#include "plugin/hooks/hooks.h"

int32_t faceCrosshairState = 0;
int32_t insidePitchClampCaller = 0;

namespace {

using Field = OriginalCode::Field;

constexpr OriginalCode Code(std::initializer_list<uint8_t> bytes, Field field = Field::None,
                            uint8_t fieldOffset = 0, uint32_t address = 0) {
  OriginalCode code;
  for (uint8_t byte : bytes) code.bytes[code.length++] = byte;
  code.field = field;
  code.fieldOffset = fieldOffset;
  code.address = address;
  return code;
}

// E8 xxxxxxxx: CALL target
constexpr OriginalCode Call(uint32_t target) {
  return Code({0xE8, 0, 0, 0, 0}, Field::Relative32, 1, target);
}

// mov [reg+40h],eax; mov [reg+3Ch/44h],reg2: the camera-state writes of hooks 19 to 22.
constexpr OriginalCode StateWrites(uint8_t first, uint8_t second, uint8_t secondOffset) {
  return Code({0x89, first, 0x40, 0x89, second, secondOffset});
}

const HookSite kHooks[] = {
    {1,
     HookSkipHeadTrackingEarly::site,
     HookSkipHeadTrackingEarly::end,
     SkipHeadTrackingEarlyStub,
     Code({0x8D, 0x4C, 0x24, 0x20,  // lea ecx,[esp+20h]
           0x51}),                  // push ecx
     {},
     {{&skipHeadTrackingEarlyResume, HookSkipHeadTrackingEarly::end},
      {&skipHeadTrackingEarlySkip, HookSkipHeadTrackingEarly::skip}}},
    {2,
     HookSkipHeadTrackingLate::site,
     HookSkipHeadTrackingLate::end,
     SkipHeadTrackingLateStub,
     Code({0x8B, 0x96, 0x30, 0x01, 0x00, 0x00}),  // mov edx,[esi+130h]
     {},
     {{&skipHeadTrackingLateResume, HookSkipHeadTrackingLate::end},
      {&skipHeadTrackingLateSkip, HookSkipHeadTrackingLate::skip}}},
    {3,
     HookRestrictAndOverrideView::site,
     HookRestrictAndOverrideView::end,
     RestrictAndOverrideViewStub,
     Call(HookRestrictAndOverrideView::call),
     {},
     {{&restrictAndOverrideViewResume, HookRestrictAndOverrideView::end},
      {&restrictAndOverrideViewCall, HookRestrictAndOverrideView::call}}},
    {4,
     HookOverrideViewAfterCall::site,
     HookOverrideViewAfterCall::end,
     OverrideViewAfterCallStub,
     Call(HookOverrideViewAfterCall::call),
     {},
     {{&overrideViewAfterCallResume, HookOverrideViewAfterCall::end},
      {&overrideViewAfterCallCall, HookOverrideViewAfterCall::call}}},
    {5,
     HookOverrideViewOfFrame::site,
     HookOverrideViewOfFrame::end,
     OverrideViewOfFrameStub,
     Code({0x8B, 0x7C, 0x24, 0x10,  // mov edi,[esp+10h]
           0x83, 0xC7, 0x20}),      // add edi,20h
     {},
     {{&overrideViewOfFrameResume, HookOverrideViewOfFrame::end}}},
    {6,
     HookDismountStart::site,
     HookDismountStart::end,
     DismountStartStub,
     Code({0xC6, 0x44, 0x24, 0x16, 0x01}),  // mov byte [esp+16h],1
     {},
     {{&dismountStartResume, HookDismountStart::end}}},
    {7,
     HookMountStart::site,
     HookMountStart::end,
     MountStartStub,
     Code({0x89, 0x93, 0xAC, 0x04, 0x00, 0x00}),  // mov [ebx+4ACh],edx
     {},
     {{&mountStartResume, HookMountStart::end}}},
    {8,
     HookSkipHostCameraSwitch::site,
     HookSkipHostCameraSwitch::end,
     SkipHostCameraSwitchStub,
     Code({0x8B, 0x44, 0x24, 0x1C,  // mov eax,[esp+1Ch]
           0x85, 0xC0}),            // test eax,eax
     {},
     {{&skipHostCameraSwitchResume, HookSkipHostCameraSwitch::end},
      {&skipHostCameraSwitchSkip, HookSkipHostCameraSwitch::skip}}},
    {9,
     HookFaceCrosshairState::site,
     HookFaceCrosshairState::end,
     FaceCrosshairStateStub,
     Code({0x38, 0x9E, 0xB4, 0x00, 0x00, 0x00}),  // cmp byte [esi+0B4h],bl
     {},
     {{&faceCrosshairStateResume, HookFaceCrosshairState::end}}},
    {10,
     HookFaceCrosshairArgument::site,
     HookFaceCrosshairArgument::end,
     FaceCrosshairArgumentStub,
     Code({0x51,                // push ecx
           0x56,                // push esi
           0x8B, 0xF1,          // mov esi,ecx (as the game's compiler writes it)
           0x8B, 0x4E, 0x08}),  // mov ecx,[esi+8]
     {Code({0x51, 0x56, 0x89, 0xCE, 0x8B, 0x4E, 0x08})},  // mov esi,ecx as 89 CE
     {{&faceCrosshairArgumentResume, HookFaceCrosshairArgument::end}}},
    {11,
     HookZoomIntoFirstPerson::site,
     HookZoomIntoFirstPerson::end,
     ZoomIntoFirstPersonStub,
     Call(HookZoomIntoFirstPerson::call),
     {},
     {{&zoomIntoFirstPersonResume, HookZoomIntoFirstPerson::end},
      {&zoomIntoFirstPersonCall, HookZoomIntoFirstPerson::call}}},
    {12,
     HookZoomOutOfFirstPerson::site,
     HookZoomOutOfFirstPerson::end,
     ZoomOutOfFirstPersonStub,
     Code({0x3B, 0x8B, 0xF4, 0x00, 0x00, 0x00}),  // cmp ecx,[ebx+0F4h]
     {},
     {{&zoomOutOfFirstPersonResume, HookZoomOutOfFirstPerson::end}}},
    {13,
     HookToggleFirstPerson::site,
     HookToggleFirstPerson::end,
     ToggleFirstPersonStub,
     Code({0x8B, 0x47, 0x48,               // mov eax,[edi+48h]
           0xB9, 0x00, 0x00, 0x00, 0x00},  // mov ecx,12B2350h
          Field::Absolute32, 4, HookToggleFirstPerson::immediate),
     {},
     {{&toggleFirstPersonResume, HookToggleFirstPerson::end},
      {&toggleFirstPersonSkip, HookToggleFirstPerson::skip},
      {&toggleFirstPersonImmediate, HookToggleFirstPerson::immediate}}},
    {14,
     HookToggleFirstPersonSeen::site,
     HookToggleFirstPersonSeen::end,
     ToggleFirstPersonSeenStub,
     Code({0x89, 0x93, 0xA0, 0x00, 0x00, 0x00}),  // mov [ebx+0A0h],edx
     {},
     {{&toggleFirstPersonSeenResume, HookToggleFirstPersonSeen::end}}},
    {15,
     HookZoomInSeen::site,
     HookZoomInSeen::end,
     ZoomInSeenStub,
     Call(HookZoomInSeen::call),
     {},
     {{&zoomInSeenResume, HookZoomInSeen::end}, {&zoomInSeenCall, HookZoomInSeen::call}}},
    {16,
     HookFrameUpdate::site,
     HookFrameUpdate::end,
     FrameUpdateStub,
     Code({0x8B, 0x0D, 0x00, 0x00, 0x00, 0x00},  // mov ecx,[012E35C8h]
          Field::Absolute32, 2, HookFrameUpdate::operand),
     {},
     {{&frameUpdateResume, HookFrameUpdate::end}, {&frameUpdateOperand, HookFrameUpdate::operand}}},
    {17,
     HookViewRefresh::site,
     HookViewRefresh::end,
     ViewRefreshStub,
     Code({0x75, 0x00,                           // jne short 00B179D4h
           0xD9, 0x83, 0xC8, 0x00, 0x00, 0x00},  // fld dword [ebx+0C8h]
          Field::Relative8, 1, HookViewRefresh::skip),
     {},
     {{&viewRefreshResume, HookViewRefresh::end}, {&viewRefreshSkip, HookViewRefresh::skip}}},
    // Ten bytes are replaced: the two instructions in their short form and three bytes of
    // padding, or one of them written with a 32-bit displacement.
    {18,
     HookClearOffsetsAfterReset::site,
     HookClearOffsetsAfterReset::end,
     ClearOffsetsAfterResetStub,
     Code({0xC6, 0x41, 0x40, 0x00,  // mov byte [ecx+40h],0
           0x89, 0x41, 0x44}),      // mov [ecx+44h],eax
     {Code({0xC6, 0x81, 0x40, 0x00, 0x00, 0x00, 0x00, 0x89, 0x41, 0x44}),
      Code({0xC6, 0x41, 0x40, 0x00, 0x89, 0x81, 0x44, 0x00, 0x00, 0x00})},
     {{&clearOffsetsAfterResetResume, HookClearOffsetsAfterReset::end}}},
    {19,
     HookClearOffsetsAfterStore3CLate::site,
     HookClearOffsetsAfterStore3CLate::end,
     ClearOffsetsAfterStore3CLateStub,
     StateWrites(0x41, 0x71, 0x3C),
     {},
     {{&clearOffsetsAfterStore3CLateResume,
       HookClearOffsetsAfterStore3CLate::end}}},  // mov [ecx+40h],eax; mov [ecx+3Ch],esi
    {20,
     HookClearOffsetsAfterStore3C::site,
     HookClearOffsetsAfterStore3C::end,
     ClearOffsetsAfterStore3CStub,
     StateWrites(0x41, 0x71, 0x3C),
     {},
     {{&clearOffsetsAfterStore3CResume, HookClearOffsetsAfterStore3C::end}}},  // as 19
    {21,
     HookClearOffsetsAfterStore44::site,
     HookClearOffsetsAfterStore44::end,
     ClearOffsetsAfterStore44Stub,
     StateWrites(0x41, 0x51, 0x44),
     {},
     {{&clearOffsetsAfterStore44Resume,
       HookClearOffsetsAfterStore44::end}}},  // mov [ecx+40h],eax; mov [ecx+44h],edx
    {22,
     HookClearOffsetsAfterStore44Esi::site,
     HookClearOffsetsAfterStore44Esi::end,
     ClearOffsetsAfterStore44EsiStub,
     StateWrites(0x46, 0x4E, 0x44),
     {},
     {{&clearOffsetsAfterStore44EsiResume,
       HookClearOffsetsAfterStore44Esi::end}}},  // mov [esi+40h],eax; mov [esi+44h],ecx
    // Five bytes are replaced; the fifth follows the ret and must be padding.
    {23,
     HookClearOffsetsOnReturn::site,
     HookClearOffsetsOnReturn::end,
     ClearOffsetsOnReturnStub,
     Code({0x5E,                // pop esi
           0xC2, 0x04, 0x00}),  // ret 4
     {},
     {}},
    {24,
     HookFocusPick::site,
     HookFocusPick::end,
     FocusPickStub,
     Code({0xF6, 0x05, 0x00, 0x00, 0x00, 0x00, 0x01},  // test byte [012E2BD8h],1
          Field::Absolute32, 2, HookFocusPick::operand),
     {},
     {{&focusPickResume, HookFocusPick::end}, {&focusPickOperand, HookFocusPick::operand}}},
    {25,
     HookFocusPickEnd::site,
     HookFocusPickEnd::end,
     FocusPickEndStub,
     Code({0x5F,        // pop edi
           0x5E,        // pop esi
           0x89, 0x10,  // mov [eax],edx
           0x5B}),      // pop ebx
     {},
     {{&focusPickEndResume, HookFocusPickEnd::end}}},
    {26,
     HookLookInput::site,
     HookLookInput::end,
     LookInputStub,
     Code({0xA1, 0x00, 0x00, 0x00, 0x00},  // mov eax,[01B2E8E4h]
          Field::Absolute32, 1, HookLookInput::operand),
     {},
     {{&lookInputResume, HookLookInput::end}, {&lookInputOperand, HookLookInput::operand}}},
    {27,
     HookInputEventKindFour::site,
     HookInputEventKindFour::end,
     InputEventKindFourStub,
     Code({0x80, 0x79, 0x10, 0x04,  // cmp byte [ecx+10h],4
           0x74, 0x00},             // je short 00772AFEh
          Field::Relative8, 5, HookInputEventKindFour::skip),
     {},
     {{&inputEventKindFourResume, HookInputEventKindFour::end},
      {&inputEventKindFourSkip, HookInputEventKindFour::skip}}},
    {28,
     HookHostQueryWhileHeadCamera::site,
     HookHostQueryWhileHeadCamera::end,
     HostQueryWhileHeadCameraStub,
     Call(HookHostQueryWhileHeadCamera::call),
     {},
     {{&hostQueryWhileHeadCameraResume, HookHostQueryWhileHeadCamera::end},
      {&hostQueryWhileHeadCameraCall, HookHostQueryWhileHeadCamera::call}}},
    {29,
     HookPitchLimits::site,
     HookPitchLimits::end,
     PitchLimitsStub,
     Code({0x51,                      // push ecx
           0xD9, 0x44, 0x24, 0x0C}),  // fld dword [esp+0Ch]
     {},
     {{&pitchLimitsResume, HookPitchLimits::end}},
     HookGroup::PitchClamp},
    {30,
     HookPitchClampEnter::site,
     HookPitchClampEnter::end,
     PitchClampEnterStub,
     Code({0x83, 0xEC, 0x0C,  // sub esp,0Ch
           0x56,              // push esi
           0x57}),            // push edi
     {},
     {{&pitchClampEnterResume, HookPitchClampEnter::end}},
     HookGroup::PitchClamp},
    {31,
     HookPitchClampExit::site,
     HookPitchClampExit::end,
     PitchClampExitStub,
     Code({0x5F,                // pop edi
           0x5E,                // pop esi
           0x83, 0xC4, 0x0C}),  // add esp,0Ch
     {},
     {{&pitchClampExitResume, HookPitchClampExit::end}},
     HookGroup::PitchClamp},
};

static_assert(std::size(kHooks) == 31);

}  // namespace

std::span<const HookSite> HookTable() { return kHooks; }

void ExpectedBytes(const HookSite& row, const OriginalCode& code, uint8_t* out) {
  std::memcpy(out, code.bytes, code.length);
  // A relative field counts from the end of the field, which ends its instruction here.
  uint32_t value = code.address;
  switch (code.field) {
    case Field::None:
      return;
    case Field::Absolute32:
      break;
    case Field::Relative8:
      out[code.fieldOffset] =
          static_cast<uint8_t>(code.address - (row.site + code.fieldOffset + 1));
      return;
    case Field::Relative32:
      value = code.address - (row.site + code.fieldOffset + 4);
      break;
  }
  std::memcpy(out + code.fieldOffset, &value, sizeof value);
}

bool IsPadding(const uint8_t* bytes, uint32_t size) {
  static constexpr uint8_t kThreeByteNop[] = {0x0F, 0x1F, 0x00};
  if (size == sizeof kThreeByteNop && std::memcmp(bytes, kThreeByteNop, size) == 0) return true;
  return std::all_of(bytes, bytes + size,
                     [](uint8_t byte) { return byte == 0x90 || byte == 0xCC; });
}

bool SiteHoldsOriginalCode(const HookSite& row, const uint8_t* code) {
  const uint32_t size = row.end - row.site;
  for (const OriginalCode* expected : {&row.code, &row.alternatives[0], &row.alternatives[1]}) {
    if (expected->length == 0 || expected->length > size) continue;
    uint8_t bytes[sizeof expected->bytes];
    ExpectedBytes(row, *expected, bytes);
    if (std::memcmp(bytes, code, expected->length) == 0 &&
        IsPadding(code + expected->length, size - expected->length)) {
      return true;
    }
  }
  return false;
}
