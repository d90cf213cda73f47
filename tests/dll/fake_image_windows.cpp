// The fake game image under Wine: the harness's own section, made writable and executable.

#include <windows.h>

#include "fake_game.h"

// The image is the harness's own section; it only has to be made writable and executable.
bool MapFakeImage() {
  DWORD previous = 0;
  return VirtualProtect(reinterpret_cast<void*>(0x00402000), 0x01800000, PAGE_EXECUTE_READWRITE,
                        &previous) != 0;
}
