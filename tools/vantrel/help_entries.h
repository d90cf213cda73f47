#pragma once
// The words of the reference: the entry of a value, command or lint rule as `vantrel help NAME`
// prints it and the language server shows it, and the pieces the listings share.

#include <string>
#include <string_view>
#include <vector>

#include "profiles/command_table.h"
#include "values/value_table.h"

// Lines of the reference are at most this wide.
inline constexpr size_t kHelpWidth = 78;

// The entry of a value, command or lint rule (case ignored); empty for none.
std::string HelpEntry(std::string_view name);
// The first sentence of a value's or command's description; empty for none.
std::string HelpSummary(std::string_view name);

// The rows of a value's or a command's name, ignoring case; null for none.
const ValueTableRow* ValueRowNamed(std::string_view name);
const CommandTableEntry* CommandRowNamed(std::string_view name);

std::string Lower(std::string_view text);
// "Set NAME VALUE": the command's name and its arguments.
std::string CommandSyntax(const CommandTableEntry& row);
// Breaks text into lines of at most `width` characters, at blanks.
std::vector<std::string> Wrap(std::string_view text, size_t width);
std::string_view FirstSentence(std::string_view text);
