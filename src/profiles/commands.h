#pragma once
// The command table and its handlers.

#include "profiles/profile.h"

struct CommandTableEntry {
  CommandHandler handler;
  const char* name;
  CommandId id;
};

// 30 rows in search order, then a row whose handler and name are null.
extern const CommandTableEntry kCommandTable[];
