// The game's globals: player, menus, running state, frame times, settings, input, console.
#include "host/game/addresses.h"
#include "host/game/host_call.h"
#include "host/host.h"

HostRef* HostPlayer() { return GlobalObject<HostRef>(GameGlobal::HostPlayer); }

HostMenuManager* HostMenuManagerGet() {
  return GlobalObject<HostMenuManager>(GameGlobal::HostMenuManager);
}
uint32_t HostMenuIsOpen(HostMenuManager* manager, EngineString* menuName) {
  return CallMember<uint32_t>(GameMenuManager::HostMenuIsOpen, manager, menuName);
}

HostUiState* HostUiStateGet() { return GlobalObject<HostUiState>(GameGlobal::HostUiState); }
uint8_t HostUiStateNotRunning(HostUiState* state) {
  return ReadField<uint8_t>(state, GameUiState::notRunning);
}
uintptr_t HostUiStateWindow(HostUiState* state) {
  return ReadField<uint32_t>(state, GameUiState::window);
}
HostMainState* HostMainStateGet() { return GlobalObject<HostMainState>(GameGlobal::HostMainState); }
uint8_t HostMainStateNotRunning(HostMainState* state) {
  return ReadField<uint8_t>(state, GameMainState::notRunning);
}

float HostFrameTimeA() { return ReadGlobal<float>(GameGlobal::HostFrameTimeA); }
float HostFrameTimeB() { return ReadGlobal<float>(GameGlobal::HostFrameTimeB); }

HostCrosshairRefHolder* HostCrosshairRefGet() {
  return GlobalObject<HostCrosshairRefHolder>(GameGlobal::HostCrosshairRef);
}
uint32_t HostCrosshairRefHandle(HostCrosshairRefHolder* holder) {
  return ReadField<uint32_t>(holder, GameCrosshairRef::handle);
}

float HostNearClipGet() { return ReadGlobal<float>(GameGlobal::HostNearClip); }
void HostNearClipSet(float value) { WriteGlobal<float>(GameGlobal::HostNearClip, value); }
float HostTimeScaleGet() { return ReadGlobal<float>(GameGlobal::HostTimeScale); }
void HostTimeScaleSet(float value) { WriteGlobal<float>(GameGlobal::HostTimeScale, value); }
uint32_t HostVatsDisabledGet() { return ReadGlobal<uint32_t>(GameGlobal::HostVatsDisabled); }
void HostVatsDisabledSet(uint32_t value) {
  WriteGlobal<uint32_t>(GameGlobal::HostVatsDisabled, value);
}

HostInputManager* HostInputManagerGet() {
  return GlobalObject<HostInputManager>(GameGlobal::HostInputManager);
}
uint32_t HostInputPollStep(HostInputManager* manager) {
  return CallSaved(GameInputManager::HostInputPollStep, manager);
}

uint32_t HostKeyState(int32_t virtualKey) {
  // The game's import slot holds the system's key-state function (stdcall, SHORT answer).
  using KeyStateFunction = int16_t(__attribute__((stdcall)) *)(int32_t);
  const auto keyState =
      reinterpret_cast<KeyStateFunction>(ReadGlobal<uint32_t>(GameGlobal::HostImportKeyState));
  return static_cast<uint16_t>(keyState(virtualKey));
}

HostConsole* HostConsoleGet() { return GlobalObject<HostConsole>(GameGlobal::HostConsole); }

void HostConsolePrint(HostConsole* console, const char* line) {
  // The print function takes a format and a printf argument list and should remove both
  // itself; the stack pointer is restored after it in case it does not. The line is
  // finished, so the list is empty.
  const uint32_t noArguments[1] = {0};
  CallSaved(GameConsole::HostConsolePrint, console, Word(line), Word(noArguments));
}
