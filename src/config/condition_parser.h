#pragma once

#include <string_view>

#include "profiles/session.h"

// One condition text (between the parentheses) into a fresh `condition`; false after a message.
bool ParseCondition(Session& session, int32_t line, std::string_view text, Condition& condition);
