// The hook rows of hooks.def, with the bytes of the instructions each one displaces.
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

// What each row's patch displaces, by row number: the instructions as the game's compiler
// writes them and, where another encoding of the same instructions is accepted, that too.
struct Displaced {
  OriginalCode code;
  OriginalCode alternatives[2] = {};
};

constexpr Displaced kDisplaced[] = {
    // 1, 2
    {Code({0x8D, 0x4C, 0x24, 0x20,  // lea ecx,[esp+20h]
           0x51})},                 // push ecx
    {Code({0x8B, 0x96, 0x30, 0x01, 0x00, 0x00})},  // mov edx,[esi+130h]
    // 3, 4
    {Call(HookRestrictAndOverrideView::Call)},
    {Call(HookOverrideViewAfterCall::Call)},
    // 5
    {Code({0x8B, 0x7C, 0x24, 0x10,  // mov edi,[esp+10h]
           0x83, 0xC7, 0x20})},     // add edi,20h
    // 6, 7
    {Code({0xC6, 0x44, 0x24, 0x16, 0x01})},        // mov byte [esp+16h],1
    {Code({0x89, 0x93, 0xAC, 0x04, 0x00, 0x00})},  // mov [ebx+4ACh],edx
    // 8
    {Code({0x8B, 0x44, 0x24, 0x1C,  // mov eax,[esp+1Ch]
           0x85, 0xC0})},           // test eax,eax
    // 9
    {Code({0x38, 0x9E, 0xB4, 0x00, 0x00, 0x00})},  // cmp byte [esi+0B4h],bl
    // 10
    {Code({0x51,                // push ecx
           0x56,                // push esi
           0x8B, 0xF1,          // mov esi,ecx (as the game's compiler writes it)
           0x8B, 0x4E, 0x08}),  // mov ecx,[esi+8]
     {Code({0x51, 0x56, 0x89, 0xCE, 0x8B, 0x4E, 0x08})}},  // mov esi,ecx as 89 CE
    // 11, 12
    {Call(HookZoomIntoFirstPerson::Call)},
    {Code({0x3B, 0x8B, 0xF4, 0x00, 0x00, 0x00})},  // cmp ecx,[ebx+0F4h]
    // 13
    {Code({0x8B, 0x47, 0x48,               // mov eax,[edi+48h]
           0xB9, 0x00, 0x00, 0x00, 0x00},  // mov ecx,12B2350h
          Field::Absolute32, 4, HookToggleFirstPerson::Immediate)},
    // 14, 15
    {Code({0x89, 0x93, 0xA0, 0x00, 0x00, 0x00})},  // mov [ebx+0A0h],edx
    {Call(HookZoomInSeen::Call)},
    // 16
    {Code({0x8B, 0x0D, 0x00, 0x00, 0x00, 0x00},  // mov ecx,[012E35C8h]
          Field::Absolute32, 2, HookFrameUpdate::Operand)},
    // 17
    {Code({0x75, 0x00,                           // jne short 00B179D4h
           0xD9, 0x83, 0xC8, 0x00, 0x00, 0x00},  // fld dword [ebx+0C8h]
          Field::Relative8, 1, HookViewRefresh::Skip)},
    // 18: ten bytes are replaced: the two instructions in their short form and three bytes of
    // padding, or one of them written with a 32-bit displacement.
    {Code({0xC6, 0x41, 0x40, 0x00,  // mov byte [ecx+40h],0
           0x89, 0x41, 0x44}),      // mov [ecx+44h],eax
     {Code({0xC6, 0x81, 0x40, 0x00, 0x00, 0x00, 0x00, 0x89, 0x41, 0x44}),
      Code({0xC6, 0x41, 0x40, 0x00, 0x89, 0x81, 0x44, 0x00, 0x00, 0x00})}},
    // 19 to 22
    {StateWrites(0x41, 0x71, 0x3C)},  // mov [ecx+40h],eax; mov [ecx+3Ch],esi
    {StateWrites(0x41, 0x71, 0x3C)},  // as 19
    {StateWrites(0x41, 0x51, 0x44)},  // mov [ecx+40h],eax; mov [ecx+44h],edx
    {StateWrites(0x46, 0x4E, 0x44)},  // mov [esi+40h],eax; mov [esi+44h],ecx
    // 23: five bytes are replaced; the fifth follows the ret and must be padding.
    {Code({0x5E,                // pop esi
           0xC2, 0x04, 0x00})},  // ret 4
    // 24
    {Code({0xF6, 0x05, 0x00, 0x00, 0x00, 0x00, 0x01},  // test byte [012E2BD8h],1
          Field::Absolute32, 2, HookFocusPick::Operand)},
    // 25
    {Code({0x5F,        // pop edi
           0x5E,        // pop esi
           0x89, 0x10,  // mov [eax],edx
           0x5B})},     // pop ebx
    // 26
    {Code({0xA1, 0x00, 0x00, 0x00, 0x00},  // mov eax,[01B2E8E4h]
          Field::Absolute32, 1, HookLookInput::Operand)},
    // 27
    {Code({0x80, 0x79, 0x10, 0x04,  // cmp byte [ecx+10h],4
           0x74, 0x00},             // je short 00772AFEh
          Field::Relative8, 5, HookInputEventKindFour::Skip)},
    // 28
    {Call(HookHostQueryWhileHeadCamera::Call)},
    // 29 to 31
    {Code({0x51,                      // push ecx
           0xD9, 0x44, 0x24, 0x0C})},  // fld dword [esp+0Ch]
    {Code({0x83, 0xEC, 0x0C,  // sub esp,0Ch
           0x56,              // push esi
           0x57})},           // push edi
    {Code({0x5F,                // pop edi
           0x5E,                // pop esi
           0x83, 0xC4, 0x0C})},  // add esp,0Ch
};

// The pitch limits work only inside the one game function that the clamp rows bracket.
constexpr HookGroup GroupOf(int32_t number) {
  return number >= HookPitchLimits::number && number <= HookPitchClampExit::number
             ? HookGroup::PitchClamp
             : HookGroup::None;
}

constexpr HookSite Row(int32_t number, uint32_t site, uint32_t end, void (*stub)()) {
  const Displaced& displaced = kDisplaced[number - 1];
  return {number,
          site,
          end,
          stub,
          displaced.code,
          {displaced.alternatives[0], displaced.alternatives[1]},
          GroupOf(number)};
}

constexpr HookSite kHooks[] = {
#define HOOK(number, name, site, end) Row(number, site, end, name##Stub),
#include "host/game/hooks.def"
};

constexpr StubSlot kSlots[] = {
#define HOOK_SLOT(name, role, address) {Hook##name::number, &name##role, address},
#include "host/game/hooks.def"
};

static_assert(std::size(kHooks) == kHookCount && std::size(kDisplaced) == kHookCount);

}  // namespace

std::span<const HookSite> HookTable() { return kHooks; }

std::span<const StubSlot> StubSlots() { return kSlots; }

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
