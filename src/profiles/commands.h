#pragma once
// The command table and its handlers.

#include "profiles/profile.h"

// A command's entry in the reference (`vantrel help`, docs/configuration.md).
struct CommandHelp {
  const char* group;      // heading it is listed under
  const char* arguments;  // what follows the name, e.g. "NAME VALUE"; empty for none
  const char* text;       // what it does
};

struct CommandTableEntry {
  CommandHandler handler;
  const char* name;
  CommandId id;
  CommandHelp help;
};

// 30 rows in search order, then a row whose handler and name are null.
extern const CommandTableEntry kCommandTable[];

// The name the table gives command `id`.
const char* CommandName(CommandId id);
// The handler the table gives command `id`; null for an id it lacks.
CommandHandler HandlerOf(CommandId id);
