#pragma once
// Token readers of the command parser. Each shortens `input` past what it read.

#include <string>
#include <string_view>

bool ReadIdentifier(std::string_view& input, std::string& token);
bool ReadWord(std::string_view& input, std::string& token);
bool ReadStringToken(std::string_view& input, std::string& token);
bool ReadNumberToken(std::string_view& input, std::string& token);
