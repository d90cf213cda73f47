// The 31 hook stubs, one per row of the hook table, in its order. Each one keeps the game's
// registers, flags and stack exactly as its row states, re-executes the instructions its
// patch displaced and continues through the absolute words declared at the end of this file.
#include "host/game/asm_symbols.h"

        .intel_syntax noprefix

// The saved region: all general registers and the flags, the direction flag cleared and the
// stack aligned to 16 bytes for the C++ bridge. EBP then addresses the saved frame.
        .equ F_EBP, 12
        .equ F_EBX, 20
        .equ F_EAX, 32
        .equ HOST_ESP, 36       // the game's stack pointer at the moment of saving

.macro SAVE
        pushad
        pushfd
        cld
        mov     ebp, esp
        and     esp, -16
.endm

.macro RESTORE
        mov     esp, ebp
        popfd
        popad
.endm

// Bridge calls with 0 to 4 arguments, keeping the 16-byte alignment at the call.
.macro CALL0 function
        call    \function
.endm
.macro CALL1 function, a
        sub     esp, 12
        push    \a
        call    \function
.endm
.macro CALL2 function, a, b
        sub     esp, 8
        push    \b
        push    \a
        call    \function
.endm
.macro CALL3 function, a, b, c
        sub     esp, 4
        push    \c
        push    \b
        push    \a
        call    \function
.endm
.macro CALL4 function, a, b, c, d
        push    \d
        push    \c
        push    \b
        push    \a
        call    \function
.endm

        .text

// 1, 2: ESI = an actor. The head-tracked actor skips the game's head-tracking code.
FUNCTION(HookStub1)
        SAVE
        CALL1   SYM(BridgeIsHeadTrackedActor), esi
        test    eax, eax
        jnz     1f
        RESTORE
        lea     ecx, [esp+0x20]
        push    ecx
        jmp     dword ptr [SYM(hook1Resume)]
1:      RESTORE
        jmp     dword ptr [SYM(hook1Skip)]

FUNCTION(HookStub2)
        SAVE
        CALL1   SYM(BridgeIsHeadTrackedActor), esi
        test    eax, eax
        jnz     1f
        RESTORE
        mov     edx, [esi+0x130]
        jmp     dword ptr [SYM(hook2Resume)]
1:      RESTORE
        jmp     dword ptr [SYM(hook2Skip)]

// 3: ESI = camera state, [esp+2Ch] = the game's rotation; then the displaced call.
FUNCTION(HookStub3)
        SAVE
        mov     eax, [ebp+HOST_ESP+0x2C]
        lea     ecx, [esi+0xAC]
        lea     edx, [esi+0xB0]
        lea     ebx, [esi+0x20]
        CALL4   SYM(BridgeRestrictAndOverride), ecx, edx, ebx, eax
        RESTORE
        call    dword ptr [SYM(hook3Call)]
        jmp     dword ptr [SYM(hook3Resume)]

// 4: the displaced call first; then ESI = position, [esp+5Ch] = rotation.
FUNCTION(HookStub4)
        call    dword ptr [SYM(hook4Call)]
        SAVE
        mov     eax, [ebp+HOST_ESP+0x5C]
        CALL2   SYM(BridgeOverride), esi, eax
        RESTORE
        jmp     dword ptr [SYM(hook4Resume)]

// 5: position at EBP+20h and rotation at EBP+0BCh of the game's frame.
FUNCTION(HookStub5)
        SAVE
        mov     eax, [ebp+F_EBP]
        lea     ecx, [eax+0xBC]
        add     eax, 0x20
        CALL2   SYM(BridgeOverride), eax, ecx
        RESTORE
        mov     edi, [esp+0x10]
        add     edi, 0x20
        jmp     dword ptr [SYM(hook5Resume)]

// 6, 7: ESI = the actor starting to dismount or mount.
FUNCTION(HookStub6)
        mov     byte ptr [esp+0x16], 1
        SAVE
        CALL1   SYM(BridgeOnDismountStart), esi
        RESTORE
        jmp     dword ptr [SYM(hook6Resume)]

FUNCTION(HookStub7)
        mov     [ebx+0x4AC], edx
        SAVE
        CALL1   SYM(BridgeOnMountStart), esi
        RESTORE
        jmp     dword ptr [SYM(hook7Resume)]

// 8: the game's own camera switching is skipped while the head camera is shown.
FUNCTION(HookStub8)
        SAVE
        CALL0   SYM(BridgeAllowsHostCameraSwitch)
        test    eax, eax
        jz      1f
        RESTORE
        mov     eax, [esp+0x1C]
        test    eax, eax
        jmp     dword ptr [SYM(hook8Resume)]
1:      RESTORE
        jmp     dword ptr [SYM(hook8Skip)]

// 9: BL = the game's flag. States 3, 4 and 5 of the override rewrite BL and EAX.
FUNCTION(HookStub9)
        SAVE
        xor     eax, eax
        test    bl, bl
        setnz   al
        mov     [SYM(faceCrosshairState)], eax
        mov     eax, offset SYM(faceCrosshairState)
        CALL1   SYM(BridgeFaceCrosshairOverride), eax
        mov     eax, [SYM(faceCrosshairState)]
        cmp     eax, 3
        jne     1f
        mov     byte ptr [ebp+F_EBX], 1
        mov     dword ptr [ebp+F_EAX], 0
        jmp     3f
1:      cmp     eax, 4
        jne     2f
        mov     byte ptr [ebp+F_EBX], 0
        jmp     3f
2:      cmp     eax, 5
        jne     3f
        mov     byte ptr [ebp+F_EBX], 0
        mov     dword ptr [ebp+F_EAX], 1
3:      RESTORE
        cmp     byte ptr [esi+0xB4], bl
        jmp     dword ptr [SYM(hook9Resume)]

// 10: entry of a method; its first stack argument is at [esp+0Ch] after the two pushes.
FUNCTION(HookStub10)
        push    ecx
        push    esi
        mov     esi, ecx
        mov     ecx, [esi+8]
        SAVE
        lea     eax, [ebp+HOST_ESP+0x0C]
        CALL1   SYM(BridgeFaceCrosshairArgument), eax
        RESTORE
        jmp     dword ptr [SYM(hook10Resume)]

// 11: a zoom into first person that activates the plug-in skips the game's own switch.
FUNCTION(HookStub11)
        SAVE
        CALL0   SYM(BridgeZoomIn)
        test    eax, eax
        jnz     1f
        RESTORE
        call    dword ptr [SYM(hook11Call)]
        jmp     dword ptr [SYM(hook11Resume)]
1:      RESTORE
        jmp     dword ptr [SYM(hook11Resume)]

// 12: ECX against [EBX+0F4h]; a change is a zoom out.
FUNCTION(HookStub12)
        cmp     ecx, [ebx+0xF4]
        je      1f
        SAVE
        CALL0   SYM(BridgeZoomOut)
        RESTORE
1:      cmp     ecx, [ebx+0xF4]
        jmp     dword ptr [SYM(hook12Resume)]

// 13, 14: the game's toggle into first person.
FUNCTION(HookStub13)
        SAVE
        CALL0   SYM(BridgeToggleActivation)
        test    eax, eax
        jnz     1f
        RESTORE
        mov     eax, [edi+0x48]
        mov     ecx, [SYM(hook13Immediate)]
        jmp     dword ptr [SYM(hook13Resume)]
1:      RESTORE
        jmp     dword ptr [SYM(hook13Skip)]

FUNCTION(HookStub14)
        SAVE
        CALL0   SYM(BridgeToggleActivation)
        RESTORE
        mov     [ebx+0xA0], edx
        jmp     dword ptr [SYM(hook14Resume)]

// 15: the displaced call; a non-zero AL is a zoom in. The callee's flags are kept.
FUNCTION(HookStub15)
        call    dword ptr [SYM(hook15Call)]
        pushfd
        test    al, al
        jz      1f
        SAVE
        CALL0   SYM(BridgeZoomIn)
        RESTORE
1:      popfd
        jmp     dword ptr [SYM(hook15Resume)]

// 16: once per frame of the game's main loop.
FUNCTION(HookStub16)
        mov     ecx, [SYM(hook16Operand)]
        mov     ecx, [ecx]
        SAVE
        CALL0   SYM(BridgeUpdate)
        RESTORE
        jmp     dword ptr [SYM(hook16Resume)]

// 17: the displaced jne, then the branch once more after a view refresh request.
FUNCTION(HookStub17)
        jne     2f
        SAVE
        CALL0   SYM(BridgeTakeViewRefreshRequest)
        test    eax, eax
        jnz     1f
        RESTORE
        fld     dword ptr [ebx+0xC8]
        jmp     dword ptr [SYM(hook17Resume)]
1:      RESTORE
2:      jmp     dword ptr [SYM(hook17Skip)]

// 18 to 23: the game has just written a camera state's offsets (ECX or ESI).
FUNCTION(HookStub18)
        mov     byte ptr [ecx+0x40], 0
        mov     [ecx+0x44], eax
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(hook18Resume)]

FUNCTION(HookStub19)
        mov     [ecx+0x40], eax
        mov     [ecx+0x3C], esi
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(hook19Resume)]

FUNCTION(HookStub20)
        mov     [ecx+0x40], eax
        mov     [ecx+0x3C], esi
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(hook20Resume)]

FUNCTION(HookStub21)
        mov     [ecx+0x40], eax
        mov     [ecx+0x44], edx
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(hook21Resume)]

FUNCTION(HookStub22)
        mov     [esi+0x40], eax
        mov     [esi+0x44], ecx
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), esi
        RESTORE
        jmp     dword ptr [SYM(hook22Resume)]

// 23: at the epilogue; returns to the game function's caller.
FUNCTION(HookStub23)
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), esi
        RESTORE
        pop     esi
        ret     4

// 24: the picked point of the crosshair pick at [esp+3Ch].
FUNCTION(HookStub24)
        SAVE
        lea     eax, [ebp+HOST_ESP+0x3C]
        CALL1   SYM(BridgeSetFocusPick), eax
        RESTORE
        push    eax
        mov     eax, [SYM(hook24Operand)]
        test    byte ptr [eax], 1
        pop     eax
        jmp     dword ptr [SYM(hook24Resume)]

// 25: only what the patch displaced, at the end of the same pick.
FUNCTION(HookStub25)
        pop     edi
        pop     esi
        mov     [eax], edx
        pop     ebx
        jmp     dword ptr [SYM(hook25Resume)]

// 26: ESI = this frame's look input.
FUNCTION(HookStub26)
        mov     eax, [SYM(hook26Operand)]
        mov     eax, [eax]
        SAVE
        CALL1   SYM(BridgeAddLookInput), esi
        RESTORE
        jmp     dword ptr [SYM(hook26Resume)]

// 27: events of kind 4 take the game's branch only while the head camera is not shown. The
// game goes on using ECX (the event) after this point, so the query is made saved as well.
FUNCTION(HookStub27)
        cmp     byte ptr [ecx+0x10], 4
        jne     1f
        SAVE
        CALL0   SYM(BridgeIsHeadCameraActive)
        test    eax, eax
        jnz     2f
        RESTORE
        jmp     dword ptr [SYM(hook27Skip)]
2:      RESTORE
1:      jmp     dword ptr [SYM(hook27Resume)]

// 28: the displaced call; a true answer becomes false while the head camera is shown. Only
// EAX changes: the query is made saved and its result written into the saved EAX.
FUNCTION(HookStub28)
        call    dword ptr [SYM(hook28Call)]
        SAVE
        test    al, al
        jz      1f
        CALL0   SYM(BridgeIsHeadCameraActive)
        xor     ecx, ecx
        test    eax, eax
        sete    cl
        mov     [ebp+F_EAX], ecx
1:      RESTORE
        jmp     dword ptr [SYM(hook28Resume)]

// 29 to 31: the pitch limits of the followed actor, inside the one game function 30 and 31
// bracket. At 29 ESI = actor, and after the push the minimum is at [esp+0Ch], the maximum
// at [esp+8].
FUNCTION(HookStub29)
        push    ecx
        SAVE
        cmp     dword ptr [SYM(insidePitchClampCaller)], 1
        jne     1f
        lea     eax, [ebp+HOST_ESP+0x0C]
        lea     ecx, [ebp+HOST_ESP+0x08]
        CALL3   SYM(BridgeSetPitchLimits), esi, eax, ecx
1:      RESTORE
        fld     dword ptr [esp+0x0C]
        jmp     dword ptr [SYM(hook29Resume)]

FUNCTION(HookStub30)
        mov     dword ptr [SYM(insidePitchClampCaller)], 1
        sub     esp, 0x0C
        push    esi
        push    edi
        jmp     dword ptr [SYM(hook30Resume)]

FUNCTION(HookStub31)
        mov     dword ptr [SYM(insidePitchClampCaller)], 0
        pop     edi
        pop     esi
        add     esp, 0x0C
        jmp     dword ptr [SYM(hook31Resume)]

// The absolute words, filled from the hook table before a site is patched.
        .data
        .p2align 2
#define SLOT(name) .globl SYM(name); SYM(name): .long 0
SLOT(hook1Resume)
SLOT(hook1Skip)
SLOT(hook2Resume)
SLOT(hook2Skip)
SLOT(hook3Resume)
SLOT(hook3Call)
SLOT(hook4Resume)
SLOT(hook4Call)
SLOT(hook5Resume)
SLOT(hook6Resume)
SLOT(hook7Resume)
SLOT(hook8Resume)
SLOT(hook8Skip)
SLOT(hook9Resume)
SLOT(hook10Resume)
SLOT(hook11Resume)
SLOT(hook11Call)
SLOT(hook12Resume)
SLOT(hook13Resume)
SLOT(hook13Skip)
SLOT(hook13Immediate)
SLOT(hook14Resume)
SLOT(hook15Resume)
SLOT(hook15Call)
SLOT(hook16Resume)
SLOT(hook16Operand)
SLOT(hook17Resume)
SLOT(hook17Skip)
SLOT(hook18Resume)
SLOT(hook19Resume)
SLOT(hook20Resume)
SLOT(hook21Resume)
SLOT(hook22Resume)
SLOT(hook24Resume)
SLOT(hook24Operand)
SLOT(hook25Resume)
SLOT(hook26Resume)
SLOT(hook26Operand)
SLOT(hook27Resume)
SLOT(hook27Skip)
SLOT(hook28Resume)
SLOT(hook28Call)
SLOT(hook29Resume)
SLOT(hook30Resume)
SLOT(hook31Resume)

#ifdef __ELF__
        .section .note.GNU-stack,"",@progbits
#endif
