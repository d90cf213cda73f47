// The 31 hook stubs, one per row of the hook table, in its order. Each one keeps the game's
// registers, flags and stack exactly as its row states, re-executes the instructions its
// patch displaced and continues through the data slots declared at the end of this file.
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
FUNCTION(SkipHeadTrackingEarlyStub)
        SAVE
        CALL1   SYM(BridgeIsHeadTrackedActor), esi
        test    eax, eax
        jnz     1f
        RESTORE
        lea     ecx, [esp+0x20]
        push    ecx
        jmp     dword ptr [SYM(SkipHeadTrackingEarlyResume)]
1:      RESTORE
        jmp     dword ptr [SYM(SkipHeadTrackingEarlySkip)]

FUNCTION(SkipHeadTrackingLateStub)
        SAVE
        CALL1   SYM(BridgeIsHeadTrackedActor), esi
        test    eax, eax
        jnz     1f
        RESTORE
        mov     edx, [esi+0x130]
        jmp     dword ptr [SYM(SkipHeadTrackingLateResume)]
1:      RESTORE
        jmp     dword ptr [SYM(SkipHeadTrackingLateSkip)]

// 3: ESI = camera state, [esp+2Ch] = the game's rotation; then the displaced call.
FUNCTION(RestrictAndOverrideViewStub)
        SAVE
        mov     eax, [ebp+HOST_ESP+0x2C]
        lea     ecx, [esi+0xAC]
        lea     edx, [esi+0xB0]
        lea     ebx, [esi+0x20]
        CALL4   SYM(BridgeRestrictAndOverride), ecx, edx, ebx, eax
        RESTORE
        call    dword ptr [SYM(RestrictAndOverrideViewCall)]
        jmp     dword ptr [SYM(RestrictAndOverrideViewResume)]

// 4: the displaced call first; then ESI = position, [esp+5Ch] = rotation.
FUNCTION(OverrideViewAfterCallStub)
        call    dword ptr [SYM(OverrideViewAfterCallCall)]
        SAVE
        mov     eax, [ebp+HOST_ESP+0x5C]
        CALL2   SYM(BridgeOverride), esi, eax
        RESTORE
        jmp     dword ptr [SYM(OverrideViewAfterCallResume)]

// 5: position at EBP+20h and rotation at EBP+0BCh of the game's frame.
FUNCTION(OverrideViewOfFrameStub)
        SAVE
        mov     eax, [ebp+F_EBP]
        lea     ecx, [eax+0xBC]
        add     eax, 0x20
        CALL2   SYM(BridgeOverride), eax, ecx
        RESTORE
        mov     edi, [esp+0x10]
        add     edi, 0x20
        jmp     dword ptr [SYM(OverrideViewOfFrameResume)]

// 6, 7: ESI = the actor starting to dismount or mount.
FUNCTION(DismountStartStub)
        mov     byte ptr [esp+0x16], 1
        SAVE
        CALL1   SYM(BridgeOnDismountStart), esi
        RESTORE
        jmp     dword ptr [SYM(DismountStartResume)]

FUNCTION(MountStartStub)
        mov     [ebx+0x4AC], edx
        SAVE
        CALL1   SYM(BridgeOnMountStart), esi
        RESTORE
        jmp     dword ptr [SYM(MountStartResume)]

// 8: the game's own camera switching is skipped while the head camera is shown.
FUNCTION(SkipHostCameraSwitchStub)
        SAVE
        CALL0   SYM(BridgeAllowsHostCameraSwitch)
        test    eax, eax
        jz      1f
        RESTORE
        mov     eax, [esp+0x1C]
        test    eax, eax
        jmp     dword ptr [SYM(SkipHostCameraSwitchResume)]
1:      RESTORE
        jmp     dword ptr [SYM(SkipHostCameraSwitchSkip)]

// 9: BL = the game's flag. States 3, 4 and 5 of the override rewrite BL and EAX.
FUNCTION(FaceCrosshairStateStub)
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
        jmp     dword ptr [SYM(FaceCrosshairStateResume)]

// 10: entry of a method; its first stack argument is at [esp+0Ch] after the two pushes.
FUNCTION(FaceCrosshairArgumentStub)
        push    ecx
        push    esi
        mov     esi, ecx
        mov     ecx, [esi+8]
        SAVE
        lea     eax, [ebp+HOST_ESP+0x0C]
        CALL1   SYM(BridgeFaceCrosshairArgument), eax
        RESTORE
        jmp     dword ptr [SYM(FaceCrosshairArgumentResume)]

// 11: a zoom into first person that activates the plug-in skips the game's own switch.
FUNCTION(ZoomIntoFirstPersonStub)
        SAVE
        CALL0   SYM(BridgeZoomIn)
        test    eax, eax
        jnz     1f
        RESTORE
        call    dword ptr [SYM(ZoomIntoFirstPersonCall)]
        jmp     dword ptr [SYM(ZoomIntoFirstPersonResume)]
1:      RESTORE
        jmp     dword ptr [SYM(ZoomIntoFirstPersonResume)]

// 12: ECX against [EBX+0F4h]; a change is a zoom out.
FUNCTION(ZoomOutOfFirstPersonStub)
        cmp     ecx, [ebx+0xF4]
        je      1f
        SAVE
        CALL0   SYM(BridgeZoomOut)
        RESTORE
1:      cmp     ecx, [ebx+0xF4]
        jmp     dword ptr [SYM(ZoomOutOfFirstPersonResume)]

// 13, 14: the game's toggle into first person.
FUNCTION(ToggleFirstPersonStub)
        SAVE
        CALL0   SYM(BridgeToggleActivation)
        test    eax, eax
        jnz     1f
        RESTORE
        mov     eax, [edi+0x48]
        mov     ecx, [SYM(ToggleFirstPersonImmediate)]
        jmp     dword ptr [SYM(ToggleFirstPersonResume)]
1:      RESTORE
        jmp     dword ptr [SYM(ToggleFirstPersonSkip)]

FUNCTION(ToggleFirstPersonSeenStub)
        SAVE
        CALL0   SYM(BridgeToggleActivation)
        RESTORE
        mov     [ebx+0xA0], edx
        jmp     dword ptr [SYM(ToggleFirstPersonSeenResume)]

// 15: the displaced call; a non-zero AL is a zoom in. The callee's flags are kept.
FUNCTION(ZoomInSeenStub)
        call    dword ptr [SYM(ZoomInSeenCall)]
        pushfd
        test    al, al
        jz      1f
        SAVE
        CALL0   SYM(BridgeZoomIn)
        RESTORE
1:      popfd
        jmp     dword ptr [SYM(ZoomInSeenResume)]

// 16: once per frame of the game's main loop.
FUNCTION(FrameUpdateStub)
        mov     ecx, [SYM(FrameUpdateOperand)]
        mov     ecx, [ecx]
        SAVE
        CALL0   SYM(BridgeUpdate)
        RESTORE
        jmp     dword ptr [SYM(FrameUpdateResume)]

// 17: the displaced jne, then the branch once more after a view refresh request.
FUNCTION(ViewRefreshStub)
        jne     2f
        SAVE
        CALL0   SYM(BridgeTakeViewRefreshRequest)
        test    eax, eax
        jnz     1f
        RESTORE
        fld     dword ptr [ebx+0xC8]
        jmp     dword ptr [SYM(ViewRefreshResume)]
1:      RESTORE
2:      jmp     dword ptr [SYM(ViewRefreshSkip)]

// 18 to 23: the game has just written a camera state's offsets (ECX or ESI).
FUNCTION(ClearOffsetsAfterResetStub)
        mov     byte ptr [ecx+0x40], 0
        mov     [ecx+0x44], eax
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(ClearOffsetsAfterResetResume)]

FUNCTION(ClearOffsetsAfterStore3CLateStub)
        mov     [ecx+0x40], eax
        mov     [ecx+0x3C], esi
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(ClearOffsetsAfterStore3CLateResume)]

FUNCTION(ClearOffsetsAfterStore3CStub)
        mov     [ecx+0x40], eax
        mov     [ecx+0x3C], esi
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(ClearOffsetsAfterStore3CResume)]

FUNCTION(ClearOffsetsAfterStore44Stub)
        mov     [ecx+0x40], eax
        mov     [ecx+0x44], edx
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), ecx
        RESTORE
        jmp     dword ptr [SYM(ClearOffsetsAfterStore44Resume)]

FUNCTION(ClearOffsetsAfterStore44EsiStub)
        mov     [esi+0x40], eax
        mov     [esi+0x44], ecx
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), esi
        RESTORE
        jmp     dword ptr [SYM(ClearOffsetsAfterStore44EsiResume)]

// 23: at the epilogue; returns to the game function's caller.
FUNCTION(ClearOffsetsOnReturnStub)
        SAVE
        CALL1   SYM(BridgeClearStateOffsets), esi
        RESTORE
        pop     esi
        ret     4

// 24: the picked point of the crosshair pick at [esp+3Ch].
FUNCTION(FocusPickStub)
        SAVE
        lea     eax, [ebp+HOST_ESP+0x3C]
        CALL1   SYM(BridgeSetFocusPick), eax
        RESTORE
        push    eax
        mov     eax, [SYM(FocusPickOperand)]
        test    byte ptr [eax], 1
        pop     eax
        jmp     dword ptr [SYM(FocusPickResume)]

// 25: only what the patch displaced, at the end of the same pick.
FUNCTION(FocusPickEndStub)
        pop     edi
        pop     esi
        mov     [eax], edx
        pop     ebx
        jmp     dword ptr [SYM(FocusPickEndResume)]

// 26: ESI = this frame's look input.
FUNCTION(LookInputStub)
        mov     eax, [SYM(LookInputOperand)]
        mov     eax, [eax]
        SAVE
        CALL1   SYM(BridgeAddLookInput), esi
        RESTORE
        jmp     dword ptr [SYM(LookInputResume)]

// 27: events of kind 4 take the game's branch only while the head camera is not shown. The
// game goes on using ECX (the event) after this point, so the query is made saved as well.
FUNCTION(InputEventKindFourStub)
        cmp     byte ptr [ecx+0x10], 4
        jne     1f
        SAVE
        CALL0   SYM(BridgeIsHeadCameraActive)
        test    eax, eax
        jnz     2f
        RESTORE
        jmp     dword ptr [SYM(InputEventKindFourSkip)]
2:      RESTORE
1:      jmp     dword ptr [SYM(InputEventKindFourResume)]

// 28: the displaced call; a true answer becomes false while the head camera is shown. Only
// EAX changes: the query is made saved and its result written into the saved EAX.
FUNCTION(HostQueryWhileHeadCameraStub)
        call    dword ptr [SYM(HostQueryWhileHeadCameraCall)]
        SAVE
        test    al, al
        jz      1f
        CALL0   SYM(BridgeIsHeadCameraActive)
        xor     ecx, ecx
        test    eax, eax
        sete    cl
        mov     [ebp+F_EAX], ecx
1:      RESTORE
        jmp     dword ptr [SYM(HostQueryWhileHeadCameraResume)]

// 29 to 31: the pitch limits of the followed actor, inside the one game function 30 and 31
// bracket. At 29 ESI = actor, and after the push the minimum is at [esp+0Ch], the maximum
// at [esp+8].
FUNCTION(PitchLimitsStub)
        push    ecx
        SAVE
        cmp     dword ptr [SYM(insidePitchClampCaller)], 1
        jne     1f
        lea     eax, [ebp+HOST_ESP+0x0C]
        lea     ecx, [ebp+HOST_ESP+0x08]
        CALL3   SYM(BridgeSetPitchLimits), esi, eax, ecx
1:      RESTORE
        fld     dword ptr [esp+0x0C]
        jmp     dword ptr [SYM(PitchLimitsResume)]

FUNCTION(PitchClampEnterStub)
        mov     dword ptr [SYM(insidePitchClampCaller)], 1
        sub     esp, 0x0C
        push    esi
        push    edi
        jmp     dword ptr [SYM(PitchClampEnterResume)]

FUNCTION(PitchClampExitStub)
        mov     dword ptr [SYM(insidePitchClampCaller)], 0
        pop     edi
        pop     esi
        add     esp, 0x0C
        jmp     dword ptr [SYM(PitchClampExitResume)]

// The data slots of hooks.def, filled from the hook table before a site is patched.
        .data
        .p2align 2
#define HOOK_SLOT(name, role, address) .globl SYM(name##role); SYM(name##role): .long 0
#include "host/game/hooks.def"

#ifdef __ELF__
        .section .note.GNU-stack,"",@progbits
#endif
