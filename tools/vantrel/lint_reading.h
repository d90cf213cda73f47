#pragma once
// Why a text does not read as a value of a type, the way the game's literal rules read it, and
// the text probably meant.

#include <string>
#include <string_view>

#include "values/value_data.h"

struct Unreadable {
  std::string reason;       // "it starts with 0, so it is octal, where 8 and 9 are no digits"
  std::string replacement;  // a text that reads and is what was meant; empty when unclear
  bool certain = false;     // the replacement is surely what was meant
};

// For a text that ParseValueText (type, text) refuses.
Unreadable WhyUnreadable(ValueType type, std::string_view text);

// "true or false", "whole number", "number", "text".
const char* TypeWords(ValueType type);
// "'6,5' does not read as a number": the start of a message about `text`.
std::string DoesNotRead(std::string_view text, ValueType type);
