// The names of Windows virtual-key codes.

#include "lsp/key_names.h"

#include <cstdio>

namespace {

struct NamedKey {
  int32_t code;
  const char* name;
};

// Codes outside the runs of letters, digits, numeric pad digits and function keys.
constexpr NamedKey kNamedKeys[] = {
    {0x01, "left mouse button"},
    {0x02, "right mouse button"},
    {0x04, "middle mouse button"},
    {0x05, "mouse button 4"},
    {0x06, "mouse button 5"},
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0C, "Clear"},
    {0x0D, "Enter"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x12, "Alt"},
    {0x13, "Pause"},
    {0x14, "Caps Lock"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left arrow"},
    {0x26, "Up arrow"},
    {0x27, "Right arrow"},
    {0x28, "Down arrow"},
    {0x2C, "Print Screen"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x5B, "left Windows key"},
    {0x5C, "right Windows key"},
    {0x5D, "Menu"},
    {0x6A, "numeric pad *"},
    {0x6B, "numeric pad +"},
    {0x6D, "numeric pad -"},
    {0x6E, "numeric pad ."},
    {0x6F, "numeric pad /"},
    {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
    {0xA0, "left Shift"},
    {0xA1, "right Shift"},
    {0xA2, "left Ctrl"},
    {0xA3, "right Ctrl"},
    {0xA4, "left Alt"},
    {0xA5, "right Alt"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
};

}  // namespace

std::string KeyName(int32_t code) {
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
    return std::string(1, static_cast<char>(code));
  }
  if (code >= 0x60 && code <= 0x69) return "numeric pad " + std::to_string(code - 0x60);
  if (code >= 0x70 && code <= 0x87) return "F" + std::to_string(code - 0x70 + 1);
  for (const NamedKey& key : kNamedKeys) {
    if (key.code == code) return key.name;
  }
  char unnamed[16];
  std::snprintf(unnamed, sizeof unnamed, "key 0x%X", static_cast<unsigned>(code));
  return unnamed;
}

std::string ModifierNames(int32_t modifiers) {
  std::string names;
  const char* const kNames[] = {"Ctrl", "Shift", "Alt"};
  for (int bit = 0; bit < 3; ++bit) {
    if ((modifiers & (1 << bit)) == 0) continue;
    names += (names.empty() ? "" : "+") + std::string(kNames[bit]);
  }
  return names.empty() ? "no modifier" : names;
}
