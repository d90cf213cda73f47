#pragma once

#include <memory>
#include <string_view>

#include "profiles/profile.h"

// One condition text (between the parentheses) to a Condition, or null after a message.
std::unique_ptr<Condition> ParseCondition(int32_t line, std::string_view text);
