// Page protection of the game's code on POSIX (the 32-bit machine tests), through mprotect.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>

#include "plugin/hooks/page_protection.h"

namespace {

// mprotect does not report the old protection, so it is read from the process's own map.
bool CurrentProtection(uint32_t address, uint32_t* protection) {
  std::FILE* maps = std::fopen("/proc/self/maps", "r");
  if (!maps) return false;
  bool found = false;
  char line[512];
  while (!found && std::fgets(line, sizeof line, maps)) {
    unsigned long start = 0, end = 0;
    char perms[5] = {};
    if (std::sscanf(line, "%lx-%lx %4s", &start, &end, perms) != 3) continue;
    if (address < start || address >= end) continue;
    *protection = (perms[0] == 'r' ? PROT_READ : 0) | (perms[1] == 'w' ? PROT_WRITE : 0) |
                  (perms[2] == 'x' ? PROT_EXEC : 0);
    found = true;
  }
  std::fclose(maps);
  return found;
}

bool Protect(uint32_t address, uint32_t size, uint32_t protection) {
  const uint32_t page = static_cast<uint32_t>(sysconf(_SC_PAGESIZE));
  const uint32_t first = address & ~(page - 1);
  return mprotect(reinterpret_cast<void*>(first), address + size - first,
                  static_cast<int>(protection)) == 0;
}

}  // namespace

bool UnprotectCode(uint32_t address, uint32_t size, uint32_t* previous) {
  uint32_t old = 0;
  if (!CurrentProtection(address, &old)) return false;
  if (!Protect(address, size, PROT_READ | PROT_WRITE | PROT_EXEC)) return false;
  *previous = old;
  return true;
}

bool ReprotectCode(uint32_t address, uint32_t size, uint32_t previous) {
  return Protect(address, size, previous);
}
