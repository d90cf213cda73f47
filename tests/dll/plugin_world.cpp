// The configuration and game world a site case runs the DLL in, and what its console printed.

#include "plugin_world.h"

#include <windows.h>

#include <cstdio>

#include "fake_game.h"
#include "fake_host.h"
#include "host/game/addresses.h"

namespace {

const char kPath[] = "Data\\WOBK\\Plugins\\Vantrel.txt";

const char* Bool(bool on) { return on ? "true" : "false"; }

}  // namespace

const char PluginWorld::kCaseProfiles[] =
    "[Mounting]\n(bMounting)\n[Dismounting]\n(bDismounting)\n";

std::string PluginWorld::Defaults(const CaseWorld& world) {
  char settings[512];
  std::snprintf(settings, sizeof settings,
                "!Set bActivated %s\n!Set bHeadtrack %s\n!Set bZoomIntoQARN %s\n"
                "!Set bToggleIntoQARN %s\n!Set iFaceCrosshair %d\n!Set iDebug 1\n",
                Bool(world.activated), Bool(world.headTracking), Bool(world.zoomSwitch),
                Bool(world.toggleSwitch), static_cast<int>(world.faceCrosshair));
  std::string text = settings;
  if (world.refreshPending) text += "!Set fFOV " + std::to_string(int(kFieldOfView)) + "\n";
  if (world.turnQueued) text += "!RotateX " + std::to_string(kQueuedTurn) + "\n";
  return text;
}

bool PluginWorld::Write(const std::string& defaults, const std::string& profiles,
                        uint32_t trigger) {
  defaults_ = defaults;
  profiles_ = profiles;
  CreateDirectoryA("Data", nullptr);
  CreateDirectoryA("Data\\WOBK", nullptr);
  CreateDirectoryA("Data\\WOBK\\Plugins", nullptr);
  std::FILE* file = std::fopen(kPath, "w");
  if (!file) return false;
  std::fprintf(file, "%s[Reload]\n(iObjectBaseFormId == %u)\nReload\n%s", defaults.c_str(),
               static_cast<unsigned>(trigger), profiles.c_str());
  return std::fclose(file) == 0;
}

bool PluginWorld::WriteFirst(const CaseWorld& world) {
  return Write(Defaults(world), kCaseProfiles, trigger_);
}

bool PluginWorld::Frame() {
  if (Peek<uint8_t>(HookFrameUpdate::site) != 0xE9)
    return false;  // the game's own code, without the hook
  CpuState in{};
  in.esp = stack_.Top() - 64;
  in.eflags = 0x202;
  CpuState out{};
  RunSite(HookFrameUpdate::site, &in, &out);
  return out.reached == HookFrameUpdate::end && out.esp == in.esp;
}

size_t PluginWorld::ConsoleLines() const { return fakeHost.consoleLines.size(); }

bool PluginWorld::PrintedSince(size_t from, const std::string& line) const {
  for (size_t i = from; i < fakeHost.consoleLines.size(); ++i) {
    if (fakeHost.consoleLines[i] == line) return true;
  }
  return false;
}

size_t PluginWorld::Loads() const {
  size_t loads = 0;
  for (const std::string& line : fakeHost.consoleLines) {
    loads += line.starts_with("Vantrel: Loaded ") || line == "Vantrel(0): File is missing!";
  }
  return loads;
}

bool PluginWorld::AwaitReload() {
  const size_t loads = Loads();
  // A reload that failed leaves the reload profile current: the id goes away and comes back.
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetPlayerBaseFormId(0);
    if (attempt > 0 && !(Frame() && Frame())) return false;
    SetPlayerBaseFormId(trigger_);
    for (int frame = 0; frame < 6; ++frame) {
      if (!Frame()) return false;
      if (Loads() > loads) {
        ++trigger_;
        return Frame();
      }
    }
  }
  return false;
}

bool PluginWorld::Reload(const std::string& defaults, const std::string& profiles) {
  return Write(defaults, profiles, trigger_ + 1) && AwaitReload();
}

bool PluginWorld::ReloadSame() { return Reload(std::string(defaults_), std::string(profiles_)); }

void PluginWorld::RequestReload() { SetPlayerBaseFormId(trigger_); }

bool PluginWorld::ReloadWithoutFile() { return std::remove(kPath) == 0 && AwaitReload(); }

bool PluginWorld::Establish(const CaseWorld& world) {
  SetCameraFieldOfView(kFieldOfView - 10);  // so that kFieldOfView is a change
  return Reload(Defaults(world), kCaseProfiles);
}
