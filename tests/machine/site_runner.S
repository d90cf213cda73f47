#include "host/game/asm_symbols.h"

        .intel_syntax noprefix

        .equ S_EAX, 0
        .equ S_ECX, 4
        .equ S_EDX, 8
        .equ S_EBX, 12
        .equ S_ESP, 16
        .equ S_EBP, 20
        .equ S_ESI, 24
        .equ S_EDI, 28
        .equ S_EFLAGS, 32
        .equ S_REACHED, 36
        .equ S_FPU_DEPTH, 40
        .equ S_ST0, 44

        .text

// RunSite (address, in, out)
FUNCTION(RunSite)
        push    ebp
        push    ebx
        push    esi
        push    edi
        mov     [runnerEsp], esp
        mov     eax, [esp+20]
        mov     [runnerTarget], eax
        mov     eax, [esp+28]
        mov     [runnerOut], eax
        mov     eax, [esp+24]
        mov     esp, [eax+S_ESP]
        push    dword ptr [eax+S_EFLAGS]
        popfd
        mov     ecx, [eax+S_ECX]
        mov     edx, [eax+S_EDX]
        mov     ebx, [eax+S_EBX]
        mov     ebp, [eax+S_EBP]
        mov     esi, [eax+S_ESI]
        mov     edi, [eax+S_EDI]
        mov     eax, [eax+S_EAX]
        jmp     dword ptr [runnerTarget]

// Reached through the CALL of a landing pad: the return address names the pad.
FUNCTION(SiteReached)
        pushfd
        mov     [runnerScratch], eax
        mov     eax, [runnerOut]
        mov     [eax+S_ECX], ecx
        mov     [eax+S_EDX], edx
        mov     [eax+S_EBX], ebx
        mov     [eax+S_EBP], ebp
        mov     [eax+S_ESI], esi
        mov     [eax+S_EDI], edi
        pop     dword ptr [eax+S_EFLAGS]
        pop     ecx
        sub     ecx, 5
        mov     [eax+S_REACHED], ecx
        mov     [eax+S_ESP], esp
        mov     ecx, [runnerScratch]
        mov     [eax+S_EAX], ecx
        mov     ebx, eax
        xor     ecx, ecx
1:      fnstsw  ax                      // TOP is 0 once the x87 stack is empty again
        test    eax, 0x3800
        jz      3f
        test    ecx, ecx
        jnz     2f
        fst     dword ptr [ebx+S_ST0]
2:      fstp    st(0)
        inc     ecx
        jmp     1b
3:      mov     [ebx+S_FPU_DEPTH], ecx
        cld
        mov     esp, [runnerEsp]
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret

FUNCTION(FakeCallee)
        inc     dword ptr [SYM(fakeCalleeCount)]
        mov     [SYM(fakeCalleeEsp)], esp
        mov     eax, [SYM(fakeCalleeResult)]
        ret

        .data
        .p2align 2
runnerEsp:      .long 0
runnerTarget:   .long 0
runnerOut:      .long 0
runnerScratch:  .long 0
        .globl SYM(fakeCalleeCount), SYM(fakeCalleeEsp), SYM(fakeCalleeResult)
SYM(fakeCalleeCount):   .long 0
SYM(fakeCalleeEsp):     .long 0
SYM(fakeCalleeResult):  .long 0

#ifdef __ELF__
        .section .note.GNU-stack,"",@progbits
#endif
