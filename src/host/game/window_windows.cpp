// The active window, for polling keys only while the game window has the focus.
#include <windows.h>

#include "host/host.h"

uintptr_t HostActiveWindow() { return reinterpret_cast<uintptr_t>(GetActiveWindow()); }
