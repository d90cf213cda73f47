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
    {1, Hook1::site, Hook1::end, HookStub1,
     Code({0x8D, 0x4C, 0x24, 0x20,  // lea ecx,[esp+20h]
           0x51}),                  // push ecx
     {}, {{&hook1Resume, Hook1::end}, {&hook1Skip, Hook1::skip}}},
    {2, Hook2::site, Hook2::end, HookStub2,
     Code({0x8B, 0x96, 0x30, 0x01, 0x00, 0x00}),  // mov edx,[esi+130h]
     {}, {{&hook2Resume, Hook2::end}, {&hook2Skip, Hook2::skip}}},
    {3, Hook3::site, Hook3::end, HookStub3, Call(Hook3::call), {},
     {{&hook3Resume, Hook3::end}, {&hook3Call, Hook3::call}}},
    {4, Hook4::site, Hook4::end, HookStub4, Call(Hook4::call), {},
     {{&hook4Resume, Hook4::end}, {&hook4Call, Hook4::call}}},
    {5, Hook5::site, Hook5::end, HookStub5,
     Code({0x8B, 0x7C, 0x24, 0x10,  // mov edi,[esp+10h]
           0x83, 0xC7, 0x20}),      // add edi,20h
     {}, {{&hook5Resume, Hook5::end}}},
    {6, Hook6::site, Hook6::end, HookStub6,
     Code({0xC6, 0x44, 0x24, 0x16, 0x01}),  // mov byte [esp+16h],1
     {}, {{&hook6Resume, Hook6::end}}},
    {7, Hook7::site, Hook7::end, HookStub7,
     Code({0x89, 0x93, 0xAC, 0x04, 0x00, 0x00}),  // mov [ebx+4ACh],edx
     {}, {{&hook7Resume, Hook7::end}}},
    {8, Hook8::site, Hook8::end, HookStub8,
     Code({0x8B, 0x44, 0x24, 0x1C,  // mov eax,[esp+1Ch]
           0x85, 0xC0}),            // test eax,eax
     {}, {{&hook8Resume, Hook8::end}, {&hook8Skip, Hook8::skip}}},
    {9, Hook9::site, Hook9::end, HookStub9,
     Code({0x38, 0x9E, 0xB4, 0x00, 0x00, 0x00}),  // cmp byte [esi+0B4h],bl
     {}, {{&hook9Resume, Hook9::end}}},
    {10, Hook10::site, Hook10::end, HookStub10,
     Code({0x51,              // push ecx
           0x56,              // push esi
           0x8B, 0xF1,        // mov esi,ecx (as the game's compiler writes it)
           0x8B, 0x4E, 0x08}),  // mov ecx,[esi+8]
     {Code({0x51, 0x56, 0x89, 0xCE, 0x8B, 0x4E, 0x08})},  // mov esi,ecx as 89 CE
     {{&hook10Resume, Hook10::end}}},
    {11, Hook11::site, Hook11::end, HookStub11, Call(Hook11::call), {},
     {{&hook11Resume, Hook11::end}, {&hook11Call, Hook11::call}}},
    {12, Hook12::site, Hook12::end, HookStub12,
     Code({0x3B, 0x8B, 0xF4, 0x00, 0x00, 0x00}),  // cmp ecx,[ebx+0F4h]
     {}, {{&hook12Resume, Hook12::end}}},
    {13, Hook13::site, Hook13::end, HookStub13,
     Code({0x8B, 0x47, 0x48,                // mov eax,[edi+48h]
           0xB9, 0x00, 0x00, 0x00, 0x00},   // mov ecx,12B2350h
          Field::Absolute32, 4, Hook13::immediate),
     {},
     {{&hook13Resume, Hook13::end},
      {&hook13Skip, Hook13::skip},
      {&hook13Immediate, Hook13::immediate}}},
    {14, Hook14::site, Hook14::end, HookStub14,
     Code({0x89, 0x93, 0xA0, 0x00, 0x00, 0x00}),  // mov [ebx+0A0h],edx
     {}, {{&hook14Resume, Hook14::end}}},
    {15, Hook15::site, Hook15::end, HookStub15, Call(Hook15::call), {},
     {{&hook15Resume, Hook15::end}, {&hook15Call, Hook15::call}}},
    {16, Hook16::site, Hook16::end, HookStub16,
     Code({0x8B, 0x0D, 0x00, 0x00, 0x00, 0x00},  // mov ecx,[012E35C8h]
          Field::Absolute32, 2, Hook16::operand),
     {}, {{&hook16Resume, Hook16::end}, {&hook16Operand, Hook16::operand}}},
    {17, Hook17::site, Hook17::end, HookStub17,
     Code({0x75, 0x00,                           // jne short 00B179D4h
           0xD9, 0x83, 0xC8, 0x00, 0x00, 0x00},  // fld dword [ebx+0C8h]
          Field::Relative8, 1, Hook17::skip),
     {}, {{&hook17Resume, Hook17::end}, {&hook17Skip, Hook17::skip}}},
    // Ten bytes are replaced: the two instructions in their short form and three bytes of
    // padding, or one of them written with a 32-bit displacement.
    {18, Hook18::site, Hook18::end, HookStub18,
     Code({0xC6, 0x41, 0x40, 0x00,  // mov byte [ecx+40h],0
           0x89, 0x41, 0x44}),      // mov [ecx+44h],eax
     {Code({0xC6, 0x81, 0x40, 0x00, 0x00, 0x00, 0x00, 0x89, 0x41, 0x44}),
      Code({0xC6, 0x41, 0x40, 0x00, 0x89, 0x81, 0x44, 0x00, 0x00, 0x00})},
     {{&hook18Resume, Hook18::end}}},
    {19, Hook19::site, Hook19::end, HookStub19, StateWrites(0x41, 0x71, 0x3C), {},
     {{&hook19Resume, Hook19::end}}},  // mov [ecx+40h],eax; mov [ecx+3Ch],esi
    {20, Hook20::site, Hook20::end, HookStub20, StateWrites(0x41, 0x71, 0x3C), {},
     {{&hook20Resume, Hook20::end}}},  // as 19
    {21, Hook21::site, Hook21::end, HookStub21, StateWrites(0x41, 0x51, 0x44), {},
     {{&hook21Resume, Hook21::end}}},  // mov [ecx+40h],eax; mov [ecx+44h],edx
    {22, Hook22::site, Hook22::end, HookStub22, StateWrites(0x46, 0x4E, 0x44), {},
     {{&hook22Resume, Hook22::end}}},  // mov [esi+40h],eax; mov [esi+44h],ecx
    // Five bytes are replaced; the fifth follows the ret and must be padding.
    {23, Hook23::site, Hook23::end, HookStub23,
     Code({0x5E,                // pop esi
           0xC2, 0x04, 0x00}),  // ret 4
     {}, {}},
    {24, Hook24::site, Hook24::end, HookStub24,
     Code({0xF6, 0x05, 0x00, 0x00, 0x00, 0x00, 0x01},  // test byte [012E2BD8h],1
          Field::Absolute32, 2, Hook24::operand),
     {}, {{&hook24Resume, Hook24::end}, {&hook24Operand, Hook24::operand}}},
    {25, Hook25::site, Hook25::end, HookStub25,
     Code({0x5F,        // pop edi
           0x5E,        // pop esi
           0x89, 0x10,  // mov [eax],edx
           0x5B}),      // pop ebx
     {}, {{&hook25Resume, Hook25::end}}},
    {26, Hook26::site, Hook26::end, HookStub26,
     Code({0xA1, 0x00, 0x00, 0x00, 0x00},  // mov eax,[01B2E8E4h]
          Field::Absolute32, 1, Hook26::operand),
     {}, {{&hook26Resume, Hook26::end}, {&hook26Operand, Hook26::operand}}},
    {27, Hook27::site, Hook27::end, HookStub27,
     Code({0x80, 0x79, 0x10, 0x04,  // cmp byte [ecx+10h],4
           0x74, 0x00},             // je short 00772AFEh
          Field::Relative8, 5, Hook27::skip),
     {}, {{&hook27Resume, Hook27::end}, {&hook27Skip, Hook27::skip}}},
    {28, Hook28::site, Hook28::end, HookStub28, Call(Hook28::call), {},
     {{&hook28Resume, Hook28::end}, {&hook28Call, Hook28::call}}},
    {29, Hook29::site, Hook29::end, HookStub29,
     Code({0x51,                     // push ecx
           0xD9, 0x44, 0x24, 0x0C}),  // fld dword [esp+0Ch]
     {}, {{&hook29Resume, Hook29::end}}, HookGroup::PitchClamp},
    {30, Hook30::site, Hook30::end, HookStub30,
     Code({0x83, 0xEC, 0x0C,  // sub esp,0Ch
           0x56,              // push esi
           0x57}),            // push edi
     {}, {{&hook30Resume, Hook30::end}}, HookGroup::PitchClamp},
    {31, Hook31::site, Hook31::end, HookStub31,
     Code({0x5F,                // pop edi
           0x5E,                // pop esi
           0x83, 0xC4, 0x0C}),  // add esp,0Ch
     {}, {{&hook31Resume, Hook31::end}}, HookGroup::PitchClamp},
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
      out[code.fieldOffset] = static_cast<uint8_t>(code.address - (row.site + code.fieldOffset + 1));
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
  return std::all_of(bytes, bytes + size, [](uint8_t byte) { return byte == 0x90 || byte == 0xCC; });
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
