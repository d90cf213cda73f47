#pragma once
// The names of Windows virtual-key codes, as BindKey and UnBindKey number keys.

#include <cstdint>
#include <string>

// "F1" for 112, "Z" for 0x5A; "key 0x97" for a code without a name.
std::string KeyName(int32_t code);
// "Ctrl+Shift" for modifier bits 1 and 2 (4 is Alt); "no modifier" for none of them.
std::string ModifierNames(int32_t modifiers);
