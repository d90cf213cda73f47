#pragma once
// Profile selection and switching on a session.

#include <cstdint>
#include <string_view>

#include "profiles/session.h"

// Deepest nesting of RunCommands (through SwitchProfile, SetProfileBy…, RunProfileBy…).
// A run that would go deeper does nothing, so a profile cycle cannot overflow the stack; a
// finite chain of hand-offs stays far below it.
constexpr int32_t kMaxCommandNesting = 64;
// Most commands one outermost run may run in all; a profile that runs itself several times per
// level would otherwise grow exponentially within the depth bound. A chain that hits either
// bound stops with one console line naming the profile.
constexpr int32_t kMaxCommandsPerChain = 100000;

// Conditions, commands and the profile switches they lead to act in `frame`: the frame being
// run, or kOutsideFrame.

// Inline: the evaluation pass asks it of every profile.
inline bool ConditionsHold(Session& session, const FrameContext& frame, Profile* profile,
                           bool whenEmpty) {
  if (profile == nullptr) return false;
  if (profile->conditions.empty()) return whenEmpty;
  for (Condition& condition : profile->conditions) {
    if (condition.evaluator == nullptr || !condition.evaluator(session, frame, &condition)) {
      return false;
    }
  }
  return true;
}
void RunCommands(Session& session, const FrameContext& frame, Profile* profile,
                 CommandPhase phase);
void SwitchProfile(Session& session, const FrameContext& frame, Profile* target,
                   float lockSeconds);
void StartRecording(Session& session, Profile* profile);
void StopRecording(Session& session);
Profile* FindProfile(Session& session, std::string_view name);
void SetProfileByIndex(Session& session, const FrameContext& frame, int32_t index,
                       float lockSeconds);
void SetProfileByName(Session& session, const FrameContext& frame, std::string_view name,
                      float lockSeconds);
void RunProfileByIndex(Session& session, const FrameContext& frame, int32_t index);
void RunProfileByName(Session& session, const FrameContext& frame, std::string_view name);
