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

// A run's record, at the base of its game stack's block.
        .equ BLOCK_MASK, -0x100000
        .equ R_HOST_ESP, 0
        .equ R_OUT, 4
        .equ R_TARGET, 8

// RunSite (address, in, out)
FUNCTION(RunSite)
        push    ebp
        push    ebx
        push    esi
        push    edi
        mov     eax, [esp+24]
        mov     edx, [eax+S_ESP]
        and     edx, BLOCK_MASK
        mov     [edx+R_HOST_ESP], esp
        mov     ecx, [esp+28]
        mov     [edx+R_OUT], ecx
        mov     ecx, [esp+20]
        mov     [edx+R_TARGET], ecx
        mov     esp, [eax+S_ESP]
        push    dword ptr [edx+R_TARGET]        // below the game's stack pointer, taken by RET
        push    dword ptr [eax+S_EFLAGS]
        popfd
        mov     ecx, [eax+S_ECX]
        mov     edx, [eax+S_EDX]
        mov     ebx, [eax+S_EBX]
        mov     ebp, [eax+S_EBP]
        mov     esi, [eax+S_ESI]
        mov     edi, [eax+S_EDI]
        mov     eax, [eax+S_EAX]
        ret

// Reached through the CALL of a landing pad: the return address names the pad.
FUNCTION(SiteReached)
        pushfd
        push    eax
        mov     eax, esp
        and     eax, BLOCK_MASK
        mov     eax, [eax+R_OUT]
        mov     [eax+S_ECX], ecx
        mov     [eax+S_EDX], edx
        mov     [eax+S_EBX], ebx
        mov     [eax+S_EBP], ebp
        mov     [eax+S_ESI], esi
        mov     [eax+S_EDI], edi
        pop     dword ptr [eax+S_EAX]
        pop     dword ptr [eax+S_EFLAGS]
        pop     ecx
        sub     ecx, 5
        mov     [eax+S_REACHED], ecx
        mov     [eax+S_ESP], esp
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
        mov     eax, esp
        and     eax, BLOCK_MASK
        mov     esp, [eax+R_HOST_ESP]
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
        .globl SYM(fakeCalleeCount), SYM(fakeCalleeEsp), SYM(fakeCalleeResult)
SYM(fakeCalleeCount):   .long 0
SYM(fakeCalleeEsp):     .long 0
SYM(fakeCalleeResult):  .long 0

#ifdef __ELF__
        .section .note.GNU-stack,"",@progbits
#endif
