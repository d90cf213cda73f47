#pragma once
// The machine tests are linked with --wrap=mprotect: every protection change of the page
// protection code passes through the double, which can refuse some of them as a system might.

#include <cstdint>

enum class ProtectionChange {
  MakingWritable,  // the change that opens code for writing
  Restoring,       // a change back to a protection without write access
};

// Refuses the changes of that kind to ranges ending at `end` (a site's end), until allowed.
void RefuseProtectionChange(uint32_t end, ProtectionChange change);
void AllowProtectionChanges();
