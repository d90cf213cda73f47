#pragma once

#include <string_view>

#include "profiles/session.h"

// Packs a key number and modifiers into the key word stored in Command::keyWord.
int32_t PackKeyCode(int32_t key, int32_t modifiers);

// A command line's phase prefix and name, as ParseCommand reads them: views of the line.
struct CommandHead {
  CommandPhase phase = CommandPhase::OnActivate;
  std::string_view prefix;  // "+", "-", "!" or empty
  std::string_view name;    // letters and digits right after the prefix
  std::string_view rest;    // the text after the name, blanks before it dropped
};
// False when no name follows the prefix.
bool ReadCommandHead(std::string_view text, CommandHead& head);
// The state a profile keyword ("skip", "disable", any case) gives its profile; Normal for a
// name that is no keyword.
ProfileState KeywordState(std::string_view name);

// Where ParseCommand found each argument, as views of the line it was given; empty for what the
// command's form lacks or the line does not hold. The tool points its findings at them.
struct CommandSpans {
  CommandHead head;
  std::string_view value;      // the value name
  std::string_view operand;    // the value text, profile name, angle or event name
  std::string_view key;        // key commands: the key token
  std::string_view modifier;   // and the modifier token
  std::string_view seconds;    // what was read as seconds: tween length, lock, inhibit, rotation
  std::string_view mode;       // rotation: the text after the time
};

// One command line into a fresh `command`; false after a message, and for "skip"/"disable",
// which set profile->state instead. `spans`, when given, receives where each part lay.
bool ParseCommand(Session& session, Profile* profile, int32_t line, std::string_view text,
                  Command& command, CommandSpans* spans = nullptr);
