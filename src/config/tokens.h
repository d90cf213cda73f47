#pragma once
// Token readers of the command parser. Each shortens `input` past what it read; the token
// views the input's text.

#include <string_view>

bool ReadIdentifier(std::string_view& input, std::string_view& token);
bool ReadWord(std::string_view& input, std::string_view& token);
bool ReadStringToken(std::string_view& input, std::string_view& token);
bool ReadNumberToken(std::string_view& input, std::string_view& token);
