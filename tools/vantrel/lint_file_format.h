#pragma once
// Rule file-format: a byte-order mark, UTF-16, a Ctrl-Z, a zero byte, an over-long line.

#include <string_view>

#include "lint_rules.h"

// A file saved as UTF-16, with or without its mark: nothing else is worth saying about it.
bool IsUtf16(std::string_view bytes);
Finding Utf16Finding();

// The findings of a file the game reads as text. Runs after LoadFindings: the load error a
// byte-order mark causes on line 1 becomes its finding.
void FileFormatFindings(LintContext& context);
