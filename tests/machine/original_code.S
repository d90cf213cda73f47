// The game's code at the 31 sites, assembled from the instruction listings of the hook table
// (not from the table's bytes), to build the fake game image. Each listing is assembled as if
// it sat at its site: a relative branch is written against the listing's own label plus the
// distance from the site to the target, so its displacement is the one the game holds.
#include "host/game/asm_symbols.h"

        .intel_syntax noprefix
        .text

#define LISTING(n) .globl SYM(originalCode##n); SYM(originalCode##n):
#define END(n) .globl SYM(originalCode##n##End); SYM(originalCode##n##End):

LISTING(1)
        lea     ecx, [esp+0x20]
        push    ecx
END(1)
LISTING(2)
        mov     edx, [esi+0x130]
END(2)
LISTING(3)
3:      call    3b + (0x0083F690 - 0x0083FE3C)
END(3)
LISTING(4)
4:      call    4b + (0x0083CFB0 - 0x0083AEBC)
END(4)
LISTING(5)
        mov     edi, [esp+0x10]
        add     edi, 0x20
END(5)
LISTING(6)
        mov     byte ptr [esp+0x16], 1
END(6)
LISTING(7)
        mov     [ebx+0x4AC], edx
END(7)
LISTING(8)
        mov     eax, [esp+0x1C]
        test    eax, eax
END(8)
LISTING(9)
        cmp     byte ptr [esi+0xB4], bl
END(9)
LISTING(10)
        push    ecx
        push    esi
        {load} mov esi, ecx           // 8B F1, as the game's compiler writes it
        mov     ecx, [esi+8]
END(10)
LISTING(11)
11:     call    11b + (0x0083CE90 - 0x00840E29)
END(11)
LISTING(12)
        cmp     ecx, [ebx+0xF4]
END(12)
LISTING(13)
        mov     eax, [edi+0x48]
        mov     ecx, 0x12B2350
END(13)
LISTING(14)
        mov     [ebx+0xA0], edx
END(14)
LISTING(15)
15:     call    15b + (0x006A6EB0 - 0x00840E10)
END(15)
LISTING(16)
        mov     ecx, ds:[0x012E35C8]
END(16)
LISTING(17)
17:     jne     17b + (0x00B179D4 - 0x00B1798E)
        fld     dword ptr [ebx+0xC8]
END(17)
LISTING(18)
        mov     byte ptr [ecx+0x40], 0
        mov     [ecx+0x44], eax
        nop                             // the three bytes the patch also covers
        nop
        nop
END(18)
LISTING(19)
        mov     [ecx+0x40], eax
        mov     [ecx+0x3C], esi
END(19)
LISTING(20)
        mov     [ecx+0x40], eax
        mov     [ecx+0x3C], esi
END(20)
LISTING(21)
        mov     [ecx+0x40], eax
        mov     [ecx+0x44], edx
END(21)
LISTING(22)
        mov     [esi+0x40], eax
        mov     [esi+0x44], ecx
END(22)
LISTING(23)
        pop     esi
        ret     4
        int3                            // the byte after the function that the patch covers
END(23)
LISTING(24)
        test    byte ptr ds:[0x012E2BD8], 1
END(24)
LISTING(25)
        pop     edi
        pop     esi
        mov     [eax], edx
        pop     ebx
END(25)
LISTING(26)
        mov     eax, ds:[0x01B2E8E4]
END(26)
LISTING(27)
27:     cmp     byte ptr [ecx+0x10], 4
        je      27b + (0x00772AFE - 0x00772A90)
END(27)
LISTING(28)
28:     call    28b + (0x0064C170 - 0x00772AD0)
END(28)
LISTING(29)
        push    ecx
        fld     dword ptr [esp+0x0C]
END(29)
LISTING(30)
        sub     esp, 0x0C
        push    esi
        push    edi
END(30)
LISTING(31)
        pop     edi
        pop     esi
        add     esp, 0x0C
END(31)


// Where each listing sits in the game: site address, first byte, end of the listing.
        .data
        .p2align 2
        .globl SYM(originalSites)
SYM(originalSites):
        .long 0x006CF3BB, SYM(originalCode1), SYM(originalCode1End)
        .long 0x006CF3DF, SYM(originalCode2), SYM(originalCode2End)
        .long 0x0083FE3C, SYM(originalCode3), SYM(originalCode3End)
        .long 0x0083AEBC, SYM(originalCode4), SYM(originalCode4End)
        .long 0x00838C37, SYM(originalCode5), SYM(originalCode5End)
        .long 0x006C3243, SYM(originalCode6), SYM(originalCode6End)
        .long 0x006C2DEF, SYM(originalCode7), SYM(originalCode7End)
        .long 0x0083D333, SYM(originalCode8), SYM(originalCode8End)
        .long 0x008403A0, SYM(originalCode9), SYM(originalCode9End)
        .long 0x00840330, SYM(originalCode10), SYM(originalCode10End)
        .long 0x00840E29, SYM(originalCode11), SYM(originalCode11End)
        .long 0x00840E48, SYM(originalCode12), SYM(originalCode12End)
        .long 0x00840CE7, SYM(originalCode13), SYM(originalCode13End)
        .long 0x0083B51A, SYM(originalCode14), SYM(originalCode14End)
        .long 0x00840E10, SYM(originalCode15), SYM(originalCode15End)
        .long 0x0069CC39, SYM(originalCode16), SYM(originalCode16End)
        .long 0x00B1798E, SYM(originalCode17), SYM(originalCode17End)
        .long 0x0083F8B4, SYM(originalCode18), SYM(originalCode18End)
        .long 0x00838F6A, SYM(originalCode19), SYM(originalCode19End)
        .long 0x00838F4C, SYM(originalCode20), SYM(originalCode20End)
        .long 0x0083F89C, SYM(originalCode21), SYM(originalCode21End)
        .long 0x0083B60E, SYM(originalCode22), SYM(originalCode22End)
        .long 0x0083B6A0, SYM(originalCode23), SYM(originalCode23End)
        .long 0x0073DF59, SYM(originalCode24), SYM(originalCode24End)
        .long 0x0073E06D, SYM(originalCode25), SYM(originalCode25End)
        .long 0x00771CEC, SYM(originalCode26), SYM(originalCode26End)
        .long 0x00772A90, SYM(originalCode27), SYM(originalCode27End)
        .long 0x00772AD0, SYM(originalCode28), SYM(originalCode28End)
        .long 0x006AE61F, SYM(originalCode29), SYM(originalCode29End)
        .long 0x0083C9C0, SYM(originalCode30), SYM(originalCode30End)
        .long 0x0083CC25, SYM(originalCode31), SYM(originalCode31End)

#ifdef __ELF__
        .section .note.GNU-stack,"",@progbits
#endif
