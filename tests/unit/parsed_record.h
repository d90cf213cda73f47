#pragma once
// The parsers fill a record the caller holds; the tests take each parsed line as a record of
// its own, or null when the line is refused.

#include <memory>
#include <string_view>

#include "config/command_parser.h"
#include "config/condition_parser.h"

inline std::unique_ptr<Condition> ParseCondition(Session& session, int32_t line,
                                                 std::string_view text) {
  auto condition = std::make_unique<Condition>();
  if (!ParseCondition(session, line, text, *condition)) return nullptr;
  return condition;
}

inline std::unique_ptr<Command> ParseCommand(Session& session, Profile* profile, int32_t line,
                                             std::string_view text) {
  auto command = std::make_unique<Command>();
  if (!ParseCommand(session, profile, line, text, *command)) return nullptr;
  return command;
}
