#pragma once
// The literal rules: configuration text to a ValueData of a required type.

#include <string_view>

#include "values/value_data.h"

ValueData ParseValueText(ValueType type, std::string_view text);
