#pragma once

#include <string_view>

#include "profiles/session.h"

// Packs a key number and modifiers into the key word stored in Command::keyWord.
int32_t PackKeyCode(int32_t key, int32_t modifiers);

// One command line into a fresh `command`; false after a message, and for "skip"/"disable",
// which set profile->state instead.
bool ParseCommand(Session& session, Profile* profile, int32_t line, std::string_view text,
                  Command& command);
