// Shared by the assembler files: C symbol names (PE/i386 prefixes an underscore) and the
// section that keeps ELF stacks non-executable.
#ifndef VANTREL_ASM_SYMBOLS_H
#define VANTREL_ASM_SYMBOLS_H

#ifdef _WIN32
#define SYM(name) _##name
#define FUNCTION(name) .globl SYM(name); .def SYM(name); .scl 2; .type 32; .endef; SYM(name):
#else
#define SYM(name) name
#define FUNCTION(name) .globl SYM(name); .type SYM(name), @function; SYM(name):
#endif

#endif
