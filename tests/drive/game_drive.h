#pragma once
// Plays the game around the plug-in on the simulated world, for the fuzz targets and the long
// tests: starts the plug-in from configuration text the way the loader does, changes the
// world between frames, runs frames, calls what the hook stubs call, requests reloads the way
// the Reload command does, and reports every broken contract it can see.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "host/host.h"

// Resets the simulated game and the plug-in, writes the text to a file of this process and
// runs Query and Load on it.
void StartPluginWithText(std::string_view configText);

// Frees the session and the key bindings, as at the end of a run.
void StopPlugin();

// Actors, camera states and factions the drive uses, made after StartPluginWithText.
struct DriveCast {
  HostActor* other = nullptr;      // a second human
  HostActor* creature = nullptr;   // a skeleton with one creature head
  HostRef* statue = nullptr;       // a reference that is not an actor
};
DriveCast CastTheWorld();

// Changes a few facts of the world at random: weapon, sneak, mount, race, camera state,
// hands, menus, keys, factions, perks, keywords, crosshair, pick, nodes, frame times (0 to
// 2 s), window focus and the game's running state.
void ChangeWorld(std::mt19937& random, const DriveCast& cast);

// One frame as the game runs it: the look input hook, then the per-frame hook.
void PlayFrame(float lookHorizontal, float lookVertical);

// Calls every operation a hook stub calls, once, with arguments drawn from the cast and from
// one camera state object owned by the caller. Returns false when a hook handed the game a
// number that is not finite while the game's own numbers were finite.
bool CallHookOperations(std::mt19937& random, const DriveCast& cast, HostCameraState* state);

// Sets the reload request, as the Reload command does; the next frame reloads.
void RequestReload();
// Whether a requested reload has not run yet.
bool ReloadPending();

// Empty when the world holds only finite settings and the controller's position and rotation
// are finite; otherwise what is not.
std::string NonFiniteInGame();

// Empty when the simulated game counted no fault (engine strings, references, console
// formats); otherwise the counters.
std::string ContractFaults();

// Engine strings and reference counts the plug-in holds at present.
int64_t LiveEngineStrings();
int64_t LiveReferences();

// A long test run as `TEST [COUNT] [CONFIG]`: the plug-in started with CONFIG's text and the
// world cast.
struct LongRun {
  const char* test;  // the name its failure lines start with
  int count;         // COUNT, or the test's default
  DriveCast cast;

  // Prints "TEST: WHAT" on stderr; returns 1, the test's exit status.
  int Fail(const std::string& what) const;
};

// Reads COUNT and CONFIG from the command line, CONFIG's text, starts the plug-in with it and
// casts the world. Nothing, after the failure line, when CONFIG cannot be read.
std::optional<LongRun> StartLongRun(const char* test, int argc, char** argv, int defaultCount,
                                    const char* defaultConfig);
