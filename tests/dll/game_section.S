// The harness's one large section: the linker script places it at 0x00402000, so that it
// covers the game's addresses up to 0x01C02000. Uninitialised, writable and executable.
        .section .game,"bwx"
        .space  0x01800000
