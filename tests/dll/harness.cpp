// The real vantrel.dll, relocated, in a process whose own image holds a fake game at the
// game's addresses: the loader's two calls, the 31 patches byte for byte, every site driven
// through the shared cases against the game's own code, every site again on a bad day, and
// the hooks on several threads. Prints every failed check and exits non-zero if there was one.
// usage: vantrel_dll_harness [DLL]   (default: vantrel.dll beside the harness)
#include <windows.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "bad_days.h"
#include "dll_tier.h"
#include "failing_allocations.h"
#include "fake_game.h"
#include "fake_host.h"
#include "hook_threads.h"
#include "plugin/hooks/hooks.h"
#include "plugin/startup.h"
#include "plugin_world.h"

namespace {

int failures = 0;

#define CHECK(condition)                                                 \
  do {                                                                   \
    if (!(condition)) {                                                  \
      std::printf("FAILED %s:%d: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                        \
    }                                                                    \
  } while (0)

using QueryFunction = bool (*)(const LoaderInterface*, PluginInfo*);
using LoadFunction = bool (*)(const LoaderInterface*);

uint32_t W(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }

void* Export(HMODULE dll, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(dll, name));
}

// An exception that left the DLL ends the process through abort(); a fault, through the
// unhandled-exception filter. Either way the last line says so.
void OnAbort(int) {
  std::printf("FAILED: the process was aborted (an exception left the DLL?)\n");
  std::fflush(stdout);
  _exit(3);
}
LONG WINAPI OnFault(EXCEPTION_POINTERS* pointers) {
  std::printf("FAILED: exception %08lX at %08lX\n",
              static_cast<unsigned long>(pointers->ExceptionRecord->ExceptionCode),
              static_cast<unsigned long>(W(pointers->ExceptionRecord->ExceptionAddress)));
  std::fflush(stdout);
  _exit(3);
}

// Takes the address range the DLL prefers, so that the loader has to relocate it: stubs must
// reach the game through absolute words that relocation fixes, never through rel32 from the
// DLL to a fixed game address.
uint32_t OccupyPreferredBase(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return 0;
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS nt{};
  const bool read = std::fread(&dos, sizeof dos, 1, file) == 1 &&
                    std::fseek(file, dos.e_lfanew, SEEK_SET) == 0 &&
                    std::fread(&nt, sizeof nt, 1, file) == 1;
  std::fclose(file);
  if (!read) return 0;
  const uint32_t base = nt.OptionalHeader.ImageBase;
  void* taken = VirtualAlloc(reinterpret_cast<void*>(base), nt.OptionalHeader.SizeOfImage,
                             MEM_RESERVE, PAGE_NOACCESS);
  return taken != nullptr ? base : 0;
}

void CheckQuery(QueryFunction query) {
  const struct {
    uint32_t runtimeVersion, isEditor;
    bool accepted;
  } cases[] = {{0x09200000, 0, true}, {0x09200000, 1, false}, {0x09100000, 0, false}};
  for (const auto& c : cases) {
    const LoaderInterface loader{1, c.runtimeVersion, 0x01000000, c.isEditor};
    PluginInfo info{0xFFFFFFFF, nullptr, 0xFFFFFFFF};
    CHECK(query(&loader, &info) == c.accepted);
    CHECK(info.infoVersion == 1);
    CHECK(info.name != nullptr && std::strcmp(info.name, "vantrel") == 0);
    CHECK(info.version == 2);
  }
  CHECK(!query(nullptr, nullptr));
}

// Every site holds E9 to its own stub inside the DLL and 0x90 up to its end.
void CheckPatches(HMODULE dll) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(dll);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const uint8_t*>(dll) +
                                                             dos->e_lfanew);
  const uint32_t base = W(dll);
  const uint32_t end = base + nt->OptionalHeader.SizeOfImage;
  std::set<uint32_t> stubs;
  for (int row = 1; row <= kHookCount; ++row) {
    const uint32_t site = OriginalSite(row);
    const uint32_t size = OriginalListing(row).size();
    CHECK(Peek<uint8_t>(site) == 0xE9);
    const uint32_t stub = site + 5 + Peek<uint32_t>(site + 1);
    CHECK(stub >= base && stub < end);
    stubs.insert(stub);
    for (uint32_t filler = site + 5; filler < site + size; ++filler) {
      CHECK(Peek<uint8_t>(filler) == 0x90);
    }
  }
  CHECK(stubs.size() == kHookCount);
}

std::string DllPath(int argc, char** argv) {
  if (argc > 1) return argv[1];
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return "vantrel.dll";
  std::strcpy(std::strrchr(path, '\\') + 1, "vantrel.dll");
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGABRT, OnAbort);
  SetUnhandledExceptionFilter(OnFault);
  if (!MapFakeImage()) {
    std::printf("FAILED: the fake image is not where the game's code lives\n");
    return 1;
  }
  BuildFakeImage();
  InstallFakeHost();
  PluginWorld world;
  CHECK(world.WriteFirst(CaseWorld{.activated = true}));

  const std::string path = DllPath(argc, argv);
  const uint32_t preferredBase = OccupyPreferredBase(path.c_str());
  CHECK(preferredBase != 0);
  HMODULE dll = LoadLibraryA(path.c_str());
  CHECK(dll != nullptr);
  if (!dll) return 1;
  CHECK(W(dll) != preferredBase);
  const auto query = reinterpret_cast<QueryFunction>(Export(dll, "WOBKPlugin_Query"));
  const auto load = reinterpret_cast<LoadFunction>(Export(dll, "WOBKPlugin_Load"));
  CHECK(query != nullptr && load != nullptr);
  if (!query || !load) return 1;

  CheckQuery(query);
  const LoaderInterface loader{1, 0x09200000, 0x01000000, 0};
  CHECK(load(&loader));
  CheckPatches(dll);
  CHECK(InterceptAllocations(dll));

  // The lines queued while loading reach the console at the first frame.
  CHECK(world.Frame());
  CHECK(world.PrintedSince(0, "Vantrel: Initializing QARN version 2.7"));
  CHECK(world.PrintedSince(0, "Vantrel: Loaded 4 profiles from configuration file."));

  SiteBench bench;
  DllTier tier(world, bench);
  tier.KeepPatches();
  failures += RunSiteLines(tier, bench);
  BadDays badDays(tier, world, bench);
  badDays.RunWithConfiguration();
  failures += RunHooksOnThreads(world);
  badDays.RunWithoutConfiguration();
  failures += badDays.Report();

  CHECK(fakeHost.engineStringsCreated > 0);
  CHECK(fakeHost.engineStringsCreated == fakeHost.engineStringsReleased);
  std::printf("%s\n", failures == 0 ? "DLL test passed" : "DLL test FAILED");
  return failures == 0 ? 0 : 1;
}
