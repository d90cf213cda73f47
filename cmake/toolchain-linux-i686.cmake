# 32-bit Linux: the machine tests run the game binding, the hooks and their stubs in a -m32
# process that maps a fake game image at the game's own addresses.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_ASM_FLAGS_INIT "-m32")
# The stubs address their data absolutely, as they do in the DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -no-pie")
