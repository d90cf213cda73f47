// Reference handles: resolving one to a counted reference, and releasing it.

#include "camera/ref_handle.h"

void ResolveRefHandle(HostRef*& out, uint32_t handle) {
  out = nullptr;
  if (handle == 0 || handle == HostInvalidRefHandle()) return;
  if (HostRef* ref = HostLookupRefByHandle(handle)) out = ref;
}

void ReleaseRef(HostRef*& slot) {
  if (!slot) return;
  HostRef* ref = slot;
  slot = nullptr;
  HostReleaseRef(ref);
}
