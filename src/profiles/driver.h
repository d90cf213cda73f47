#pragma once
// Profile selection and switching on the current registry.

#include <cstdint>
#include <string_view>

#include "profiles/profile.h"

// Deepest nesting of RunCommands (through SwitchProfile, SetProfileBy…, RunProfileBy…).
// A run that would go deeper does nothing, so a profile cycle cannot overflow the stack; a
// finite chain of hand-offs stays far below it.
constexpr int32_t kMaxCommandNesting = 64;
// Most commands one outermost run may run in all; a profile that runs itself several times per
// level would otherwise grow exponentially within the depth bound. A chain that hits either
// bound stops with one console line naming the profile.
constexpr int32_t kMaxCommandsPerChain = 100000;

bool ConditionsHold(Profile* profile, bool whenEmpty);
void RunCommands(Profile* profile, CommandPhase phase);
void SwitchProfile(Profile* target, float lockSeconds);
void StartRecording(Profile* profile);
Profile* FindProfile(std::string_view name);
void SetProfileByIndex(int32_t index, float lockSeconds);
void SetProfileByName(std::string_view name, float lockSeconds);
void RunProfileByIndex(int32_t index);
void RunProfileByName(std::string_view name);

// The per-frame driver and its evaluation pass.
void RunProfileFrame();
void EvaluateProfiles();
