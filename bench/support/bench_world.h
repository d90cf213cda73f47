#pragma once
// The configurations and the simulated world the benchmarks and the instruction counts share.

#include <string>

#include "profiles/session.h"

enum class LineEnd { Lf, CrLf };

// Every profile holds, so every condition is evaluated in every pass: profiles - 1 parallel
// profiles and one exclusive profile last, each with `conditionsPerProfile` conditions drawn in
// turn from the kinds real configurations use (states, the camera state, the race, a setting,
// a menu). The same values are named whatever the count, once it is at least 8.
std::string AllHoldingConfiguration(int profiles, int conditionsPerProfile,
                                    float updateInterval);

// About 500 bytes per profile with conditions and commands of every common form; profiles
// refer to each other by name.
std::string GeneratedConfiguration(int profiles, LineEnd lineEnd);

// At least `bytes` of profiles as people write them, for lint: each profile with conditions,
// commands, key bindings and names of other profiles, and every tenth with one of the mistakes
// the lint rules find; a handful of misspelt profile names in all, whatever the size.
std::string LintBenchConfiguration(size_t bytes);

// `bindings` load-time BindKey lines with distinct keys, all naming one profile.
std::string KeyBindingConfiguration(int bindings);

// A fresh world as a player meets it in a long session: a skeleton of dozens of nodes with the
// head deep in it, a race name and an open menu too long for a short-string buffer, walking.
void ResetWorld();

// Starts the plug-in on `configuration` in the world of ResetWorld, without running a frame.
void StartPlugin(const std::string& configuration);

// Runs `frames` frames: enough for the tweens of the first activations to end.
void Settle(int frames);

// Conditions evaluated by one pass of AllHoldingConfiguration; aborts when a profile does not
// hold as designed (then the figure would measure something else) or the head camera is off.
int EvaluatedConditionsPerPass(int profiles, int conditionsPerProfile);

// What a plain program does with the file: each line read into a string, a CR before the LF
// dropped, the line trimmed. Answers the characters kept, so the work cannot be skipped.
size_t PlainReadAndTrim(const std::string& text);

// Loads `text` into `session` as a start-up does, without the file.
void LoadInto(Session& session, const std::string& text);
