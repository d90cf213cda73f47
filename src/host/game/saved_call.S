// HostCallSaved (function, self, argumentCount, arguments): see host_call.h.
#include "host/game/asm_symbols.h"

        .intel_syntax noprefix
        .text

FUNCTION(HostCallSaved)
        push    ebp
        mov     ebp, esp
        pushad                          // EAX lands at [ebp-4]
        pushfd                          // at [ebp-36]
        mov     edx, [ebp+16]           // argument count
        mov     esi, [ebp+20]           // arguments
1:      test    edx, edx
        jz      2f
        push    dword ptr [esi+edx*4-4] // last argument first
        dec     edx
        jmp     1b
2:      mov     ecx, [ebp+12]           // this
        call    dword ptr [ebp+8]
        // EBP is preserved by every convention the game uses; the callee may have removed
        // its arguments or not, so the stack pointer comes from the frame.
        mov     [ebp-4], eax            // popad hands the answer back in EAX
        lea     esp, [ebp-36]
        popfd
        popad
        pop     ebp
        ret

#ifdef __ELF__
        .section .note.GNU-stack,"",@progbits
#endif
