// Token readers of the command parser.

#include "config/tokens.h"

#include "base/text.h"

namespace {

void TrimIfBlankFirst(std::string_view& input) {
  if (!input.empty() && IsBlank(input.front())) input = Trim(input);
}

// Takes the first `length` characters as the token; the input becomes the trimmed remainder.
void TakeToken(std::string_view& input, size_t length, std::string_view& token) {
  token = input.substr(0, length);
  input = Trim(input.substr(length));
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

bool ReadIdentifier(std::string_view& input, std::string_view& token) {
  token = {};
  if (input.empty()) return false;
  TrimIfBlankFirst(input);
  const size_t length = AlnumPrefixLength(input);
  if (length == 0) return false;
  TakeToken(input, length, token);
  return true;
}

bool ReadWord(std::string_view& input, std::string_view& token) {
  token = {};
  TrimIfBlankFirst(input);
  size_t length = 0;
  while (length < input.size() && !IsBlank(input[length])) ++length;
  TakeToken(input, length, token);
  return true;
}

bool ReadStringToken(std::string_view& input, std::string_view& token) {
  token = {};
  TrimIfBlankFirst(input);
  if (input.empty() || input.front() != '"') return ReadWord(input, token);
  const size_t close = input.find('"', 1);
  if (close == std::string_view::npos) {
    token = input.substr(1);
    input = {};
  } else {
    token = input.substr(1, close - 1);
    input = input.substr(close + 1);
  }
  return true;
}

// Accepts what might belong to a number in any base, so that the token's end is where the
// next argument starts; the Int rule decides afterwards whether it is a whole number.
bool ReadNumberToken(std::string_view& input, std::string_view& token) {
  token = {};
  if (input.empty()) return false;
  TrimIfBlankFirst(input);
  enum Stage { kStart, kAfterLeadingZero, kInNumber };
  Stage stage = kStart;
  bool signSeen = false;
  size_t length = 0;
  for (; length < input.size(); ++length) {
    const char c = input[length];
    const bool isSign = c == '-' || c == '+';
    const bool accepted = (c >= '0' && c <= '9') || (isSign && !signSeen) ||
                          (c == 'x' && stage == kAfterLeadingZero) || c == 'X' ||
                          (stage == kInNumber && IsHexDigit(c));
    if (!accepted) break;
    if (isSign) {
      signSeen = true;
    } else if (c == '0' && stage == kStart) {
      stage = kAfterLeadingZero;
    } else {
      stage = kInNumber;
    }
  }
  if (length == 0) return false;
  TakeToken(input, length, token);
  return true;
}
