// mprotect wrapped, so that a test can make the system refuse one protection change.

#include "refused_protection.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstddef>
#include <vector>

namespace {

struct Refusal {
  uint32_t end;
  ProtectionChange change;
};

std::vector<Refusal>& Refusals() {
  static std::vector<Refusal> refusals;
  return refusals;
}

}  // namespace

void RefuseProtectionChange(uint32_t end, ProtectionChange change) {
  Refusals().push_back({end, change});
}

void AllowProtectionChanges() { Refusals().clear(); }

extern "C" int __real_mprotect(void* start, size_t length, int protection);

extern "C" int __wrap_mprotect(void* start, size_t length, int protection) {
  const uint32_t end = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(start) + length);
  const ProtectionChange change =
      protection & PROT_WRITE ? ProtectionChange::MakingWritable : ProtectionChange::Restoring;
  for (const Refusal& refusal : Refusals()) {
    if (refusal.end == end && refusal.change == change) {
      errno = EACCES;
      return -1;
    }
  }
  return __real_mprotect(start, length, protection);
}
