# 32-bit Windows with mingw-w64 (the -posix variant: the -win32 one has no
# std::recursive_mutex). The runtime is linked statically so that vantrel.dll and
# vantrel.exe import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_ASM_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# GCC 12 reports overlaps that cannot happen inside libstdc++'s string copies at -O2 for this
# target (GCC bug 105651).
# Camera maths in true single precision (SSE, not the x87's extended precision). The game and
# the loader only promise a 4-byte aligned stack, so functions realign it for SSE spills.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict -msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
