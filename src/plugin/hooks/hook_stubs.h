#pragma once
// The stubs of hook_stubs.S and the data words they jump, call and load through. A DLL can be
// relocated and PE has no PC-relative fix-ups, so game addresses are reached through these
// absolute words, which the hook table fills before it patches a site.

#include <cstdint>

#define VANTREL_STUB(n) extern "C" void HookStub##n();
VANTREL_STUB(1) VANTREL_STUB(2) VANTREL_STUB(3) VANTREL_STUB(4) VANTREL_STUB(5)
VANTREL_STUB(6) VANTREL_STUB(7) VANTREL_STUB(8) VANTREL_STUB(9) VANTREL_STUB(10)
VANTREL_STUB(11) VANTREL_STUB(12) VANTREL_STUB(13) VANTREL_STUB(14) VANTREL_STUB(15)
VANTREL_STUB(16) VANTREL_STUB(17) VANTREL_STUB(18) VANTREL_STUB(19) VANTREL_STUB(20)
VANTREL_STUB(21) VANTREL_STUB(22) VANTREL_STUB(23) VANTREL_STUB(24) VANTREL_STUB(25)
VANTREL_STUB(26) VANTREL_STUB(27) VANTREL_STUB(28) VANTREL_STUB(29) VANTREL_STUB(30)
VANTREL_STUB(31)
#undef VANTREL_STUB

extern "C" {
extern uint32_t hook1Resume, hook1Skip, hook2Resume, hook2Skip, hook3Resume, hook3Call,
    hook4Resume, hook4Call, hook5Resume, hook6Resume, hook7Resume, hook8Resume, hook8Skip,
    hook9Resume, hook10Resume, hook11Resume, hook11Call, hook12Resume, hook13Resume,
    hook13Skip, hook13Immediate, hook14Resume, hook15Resume, hook15Call, hook16Resume,
    hook16Operand, hook17Resume, hook17Skip, hook18Resume, hook19Resume, hook20Resume,
    hook21Resume, hook22Resume, hook24Resume, hook24Operand, hook25Resume, hook26Resume,
    hook26Operand, hook27Resume, hook27Skip, hook28Resume, hook28Call, hook29Resume,
    hook30Resume, hook31Resume;
}
