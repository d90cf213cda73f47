#pragma once

#include <string_view>

#include "profiles/session.h"

// Where ParseCondition found the parts of a condition text, as views of that text (empty where
// a part is missing: no operator, or no name). The tool points its findings at them.
struct ConditionSpans {
  std::string_view name;
  std::string_view op;       // the operator symbol as matched
  std::string_view operand;  // the operand text as parsed; "1" (a literal) without an operator
};

// One condition text (between the parentheses) into a fresh `condition`; false after a message.
// `spans`, when given, receives where each part lay.
bool ParseCondition(Session& session, int32_t line, std::string_view text, Condition& condition,
                    ConditionSpans* spans = nullptr);
