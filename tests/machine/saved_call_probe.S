// Probes for HostCallSaved: known registers and flags going in, a host function that clobbers
// every register it may (all but EBP and ESP) and the flags, and what comes back out.
#include "host/game/asm_symbols.h"

        .intel_syntax noprefix
        .text

// void ProbeSavedCall (function, CpuState* after)
FUNCTION(ProbeSavedCall)
        push    ebp
        push    ebx
        push    esi
        push    edi
        mov     eax, [esp+24]
        mov     [probeOut], eax
        mov     eax, [esp+20]
        push    offset probeArguments
        push    2
        push    0x5E1F0000              // this
        push    eax                     // function
        mov     ecx, 0xC1C1C1C1
        mov     edx, 0xD2D2D2D2
        mov     ebx, 0xB0B0B0B0
        mov     esi, 0x51515151
        mov     edi, 0xD1D1D1D1
        mov     ebp, 0xEBEBEBEB
        push    0x8C7                   // CF PF ZF SF OF
        popfd
        call    SYM(HostCallSaved)
        pushfd
        mov     [probeScratch], eax
        mov     eax, [probeOut]
        mov     [eax+4], ecx
        mov     [eax+8], edx
        mov     [eax+12], ebx
        mov     [eax+20], ebp
        mov     [eax+24], esi
        mov     [eax+28], edi
        pop     dword ptr [eax+32]
        mov     ecx, [probeScratch]
        mov     [eax], ecx
        add     esp, 16
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret

.macro CLOBBER
        mov     [SYM(clobberSelf)], ecx
        mov     eax, [esp+4]
        mov     [SYM(clobberArguments)], eax
        mov     eax, [esp+8]
        mov     [SYM(clobberArguments)+4], eax
        mov     ecx, -1
        mov     edx, -1
        mov     ebx, -1
        mov     esi, -1
        mov     edi, -1
        xor     eax, eax                // ZF set, CF SF OF cleared
        std
        mov     eax, 0x600DF00D
.endm

FUNCTION(ClobberCalleePops)             // as a member function: removes its two arguments
        CLOBBER
        ret     8

FUNCTION(ClobberCallerPops)             // as a plain function
        CLOBBER
        ret

        .data
        .p2align 2
probeOut:       .long 0
probeScratch:   .long 0
probeArguments: .long 0x0A0A0A0A, 0x0B0B0B0B
        .globl SYM(clobberSelf), SYM(clobberArguments)
SYM(clobberSelf):       .long 0
SYM(clobberArguments):  .long 0, 0

#ifdef __ELF__
        .section .note.GNU-stack,"",@progbits
#endif
