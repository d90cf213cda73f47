// The DLL's allocations redirected, so that a test can make the next one fail.

#include "failing_allocations.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool refuseNext = false;
int refused = 0;

bool Refuse() {
  if (!refuseNext) return false;
  refuseNext = false;
  ++refused;
  return true;
}

void* RefusingMalloc(size_t size) {
  if (Refuse()) return nullptr;
  return std::malloc(size);
}

void* RefusingCalloc(size_t count, size_t size) {
  if (Refuse()) return nullptr;
  return std::calloc(count, size);
}

void* RefusingRealloc(void* memory, size_t size) {
  if (Refuse()) return nullptr;
  return std::realloc(memory, size);
}

struct Replacement {
  const char* name;
  void* function;
  bool done;
};

}  // namespace

bool InterceptAllocations(HMODULE dll) {
  Replacement replacements[] = {{"malloc", reinterpret_cast<void*>(&RefusingMalloc), false},
                                {"calloc", reinterpret_cast<void*>(&RefusingCalloc), false},
                                {"realloc", reinterpret_cast<void*>(&RefusingRealloc), false}};
  auto* base = reinterpret_cast<uint8_t*>(dll);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* module =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       module->Name != 0; ++module) {
    if (_stricmp(reinterpret_cast<const char*>(base + module->Name), "msvcrt.dll") != 0) continue;
    const auto* names =
        reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      for (Replacement& replacement : replacements) {
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), replacement.name) != 0)
          continue;
        DWORD previous = 0;
        if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                            &previous)) {
          return false;
        }
        slots->u1.Function = reinterpret_cast<uintptr_t>(replacement.function);
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, previous, &previous);
        replacement.done = true;
      }
    }
  }
  for (const Replacement& replacement : replacements) {
    if (!replacement.done) return false;
  }
  return true;
}

void RefuseNextAllocation() {
  refuseNext = true;
  refused = 0;
}

void RefuseNone() { refuseNext = false; }

int Refused() { return refused; }
