// The fake game image in a 32-bit Linux process: mapped at the game's own addresses.

#include <sys/mman.h>

#include "fake_game.h"

bool MapFakeImage() {
  static const bool mapped = [] {
    void* image = mmap(reinterpret_cast<void*>(kImageStart), kImageEnd - kImageStart,
                       PROT_READ | PROT_WRITE | PROT_EXEC,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    return image == reinterpret_cast<void*>(kImageStart);
  }();
  return mapped;
}
