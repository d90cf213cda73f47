#pragma once
// The command table: one row per command, indexed by CommandId, with its handler and its
// entry in the reference.

#include <cstddef>
#include <cstdint>
#include <span>

#include "profiles/profile.h"

// A command's entry in the reference (`vantrel help`, docs/configuration.md).
struct CommandHelp {
  const char* group;      // heading it is listed under
  const char* arguments;  // what follows the name, e.g. "NAME VALUE"; empty for none
  const char* text;       // what it does
};

struct CommandTableEntry {
  CommandId id;
  const char* name;
  CommandHandler handler;
  size_t listed;  // its place in the reference listing
  CommandHelp help;
};

constexpr size_t kCommandCount = 30;

// The rows by id: CommandTable()[i].id is CommandId i.
std::span<const CommandTableEntry> CommandTable();
// The rows in the order the reference lists them, which is also the order name suggestions
// prefer among equally close names.
std::span<const CommandTableEntry* const> CommandListing();

// The row of command `id`; null for an id the table lacks.
const CommandTableEntry* CommandRow(CommandId id);
// Its name; "command" for an id the table lacks.
const char* CommandName(CommandId id);
// Its handler; null for an id the table lacks.
CommandHandler HandlerOf(CommandId id);
