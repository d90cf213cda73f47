#pragma once
// Why a text does not read as a value of a type, the way the game's literal rules read it, and
// the text probably meant.

#include <string>
#include <string_view>

#include "values/value_data.h"

struct Unreadable {
  std::string why;          // "'08' starts with 0, so it is octal, and 8 is no octal digit"
  std::string replacement;  // a text that reads and is what was meant; empty when unclear
  bool certain = false;     // the replacement is surely what was meant
};

// For a text that ParseValueText (type, text) refuses.
Unreadable WhyUnreadable(ValueType type, std::string_view text);

// "true or false", "a whole number", "a number", "text".
const char* TypeWords(ValueType type);
