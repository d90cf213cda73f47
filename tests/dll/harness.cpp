// The real vantrel.dll in a process whose own image holds a fake game at the game's addresses:
// the loader's two calls, the 31 patches byte for byte, and frames driven through the patched
// sites. Prints every failed check and exits non-zero if there was one.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "fake_game.h"
#include "fake_host.h"
#include "plugin/startup.h"
#include "site_runner.h"

namespace {

int failures = 0;

#define CHECK(condition)                                                         \
  do {                                                                           \
    if (!(condition)) {                                                          \
      std::printf("FAILED %s:%d: %s\n", __FILE__, __LINE__, #condition);         \
      ++failures;                                                                \
    }                                                                            \
  } while (0)

using QueryFunction = bool (*)(const LoaderInterface*, PluginInfo*);
using LoadFunction = bool (*)(const LoaderInterface*);

constexpr uint32_t kZeroFlag = 0x246;
constexpr uint32_t kNoFlags = 0x202;

alignas(16) uint8_t stackMemory[8192];
float hostRotation[9];

const char kConfiguration[] =
    "; written by the DLL test\n"
    "!Set bActivated true\n"
    "!Set bZoomIntoQARN true\n"
    "!Set bToggleIntoQARN true\n"
    "!Set iDebug 1\n"
    "\n"
    "[Combat]\n"
    "(bWeaponOut)\n"
    "Set fFOV 90\n"
    "-Return fFOV\n";

uint32_t W(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }

void* Export(HMODULE dll, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(dll, name));
}

bool WriteConfiguration() {
  CreateDirectoryA("Data", nullptr);
  CreateDirectoryA("Data\\WOBK", nullptr);
  CreateDirectoryA("Data\\WOBK\\Plugins", nullptr);
  std::FILE* file = std::fopen("Data\\WOBK\\Plugins\\Vantrel.txt", "w");
  if (!file) return false;
  std::fputs(kConfiguration, file);
  return std::fclose(file) == 0;
}

// Runs the game code at `site` with the given registers; the others point at valid memory.
CpuState RunAt(uint32_t site, uint32_t esi = 0, uint32_t flags = kNoFlags) {
  CpuState in{};
  in.esp = W(stackMemory) + 4096;
  in.eax = in.ecx = in.edx = in.ebx = in.ebp = in.edi = W(stackMemory);
  in.esi = esi;
  in.eflags = flags;
  Poke<uint32_t>(in.esp + 0x2C, W(hostRotation));  // hook 3: the game's rotation
  CpuState out{};
  RunSite(site, &in, &out);
  return out;
}

void Frame() { CHECK(RunAt(0x0069CC39).reached == 0x0069CC3F); }

bool Printed(const std::string& line) {
  for (const std::string& printed : fakeHost.consoleLines) {
    if (printed == line) return true;
  }
  return false;
}

// Hook 3 with the camera state: position and rotation the game would use this frame.
void RunCameraSite() {
  std::memset(fakeHost.cameraState + 0x20, 0, 12);
  std::memset(hostRotation, 0, sizeof hostRotation);
  const uint32_t calls = fakeCalleeCount;
  CHECK(RunAt(0x0083FE3C, W(fakeHost.cameraState)).reached == 0x0083FE41);
  CHECK(fakeCalleeCount == calls + 1);  // the displaced call still runs
}

bool CameraShowsHead() {
  return std::memcmp(fakeHost.cameraState + 0x20, fakeHost.eye.translation, 12) == 0 &&
         std::memcmp(hostRotation, fakeHost.head.rotation, sizeof hostRotation) == 0;
}

bool CameraUntouched() {
  const float zero[9] = {};
  return std::memcmp(fakeHost.cameraState + 0x20, zero, 12) == 0 &&
         std::memcmp(hostRotation, zero, sizeof hostRotation) == 0;
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

// Every site holds E9 to a stub inside the DLL and 0x90 up to its end; the foreign one is
// left as it was.
void CheckPatches(HMODULE dll, const uint8_t* foreign, size_t foreignSize) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(dll);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const uint8_t*>(dll) + dos->e_lfanew);
  const uint32_t base = W(dll);
  const uint32_t end = base + nt->OptionalHeader.SizeOfImage;
  std::set<uint32_t> stubs;
  for (int row = 1; row <= 31; ++row) {
    const uint32_t site = OriginalSite(row);
    const uint32_t size = OriginalListing(row).size();
    if (row == 5) {
      CHECK(std::memcmp(reinterpret_cast<void*>(site), foreign, foreignSize) == 0);
      continue;
    }
    CHECK(Peek<uint8_t>(site) == 0xE9);
    const uint32_t stub = site + 5 + Peek<uint32_t>(site + 1);
    CHECK(stub >= base && stub < end);
    stubs.insert(stub);
    for (uint32_t filler = site + 5; filler < site + size; ++filler) {
      CHECK(Peek<uint8_t>(filler) == 0x90);
    }
  }
  CHECK(stubs.size() == 30);
}

}  // namespace

int main() {
  if (!MapFakeImage()) {
    std::printf("FAILED: the fake image is not where the game's code lives\n");
    return 1;
  }
  BuildFakeImage();
  InstallFakeHost();
  // Another plug-in got to the site of hook 5 first.
  const uint8_t foreign[7] = {0xE9, 0x00, 0x10, 0x00, 0x00, 0x90, 0x90};
  std::memcpy(reinterpret_cast<void*>(0x00838C37), foreign, sizeof foreign);
  CHECK(WriteConfiguration());

  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::strcpy(std::strrchr(path, '\\') + 1, "vantrel.dll");
  CHECK(length > 0);
  const uint32_t preferredBase = OccupyPreferredBase(path);
  CHECK(preferredBase != 0);
  HMODULE dll = LoadLibraryA(path);
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
  CheckPatches(dll, foreign, sizeof foreign);

  // The lines queued while loading reach the console at the first frame.
  Frame();
  CHECK(Printed("Vantrel: Initializing QARN version 2.7"));
  CHECK(Printed("Vantrel: Loaded 2 profiles from configuration file."));
  CHECK(Printed("Vantrel: Hook 5 at 00838C37 was not installed: the game code there is not "
                "what was expected."));

  // Drawing a weapon switches to the profile that sets the field of view.
  SetPlayerStateWord(0x60);
  for (int i = 0; i < 4; ++i) Frame();
  CHECK(Printed("Vantrel(DEBUG): Changed profile from __Default to Combat."));
  CHECK(CameraFieldOfView() == 90.0f);

  // The head camera: position from the eye node, rotation from the head node.
  RunCameraSite();
  CHECK(CameraShowsHead());

  // The field-of-view change takes the branch at hook 17 once.
  CHECK(RunAt(0x00B1798E, 0, kZeroFlag).reached == 0x00B179D4);
  const CpuState loaded = RunAt(0x00B1798E, 0, kZeroFlag);
  CHECK(loaded.reached == 0x00B17996);
  CHECK(loaded.fpuDepth == 1);

  // The game's toggle into first person turns the plug-in off and skips the game's toggle.
  const size_t refreshes = fakeHost.weaponRefreshes.size();
  CHECK(RunAt(0x00840CE7).reached == 0x00840D08);
  Frame();
  CHECK(fakeHost.weaponRefreshes.size() == refreshes + 1);
  RunCameraSite();
  CHECK(CameraUntouched());

  // Zooming into first person turns it on again instead of the game's own switch.
  const uint32_t calls = fakeCalleeCount;
  CHECK(RunAt(0x00840E29).reached == 0x00840E2E);
  CHECK(fakeCalleeCount == calls);
  Frame();
  RunCameraSite();
  CHECK(CameraShowsHead());

  CHECK(fakeHost.engineStringsCreated > 0);
  CHECK(fakeHost.engineStringsCreated == fakeHost.engineStringsReleased);

  for (const std::string& line : fakeHost.consoleLines) std::printf("console: %s\n", line.c_str());
  std::printf("%s\n", failures == 0 ? "DLL test passed" : "DLL test FAILED");
  return failures == 0 ? 0 : 1;
}
