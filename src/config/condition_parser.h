#pragma once

#include <memory>
#include <string_view>

#include "profiles/session.h"

// One condition text (between the parentheses) to a Condition, or null after a message.
std::unique_ptr<Condition> ParseCondition(Session& session, int32_t line, std::string_view text);
