// ASCII text helpers: trimming, case-blind comparison, character classes.

#include "base/text.h"

#include <cstdint>
#include <cstring>

namespace {

// Clearing bit 5 of every byte makes a lower-case ASCII letter upper case. Other bytes may
// collide with it (digits with control characters, say), which only costs a comparison:
// the tables compare whole names anyway.
constexpr uint64_t kCaseBits = ~0x2020202020202020ull;

uint64_t Mix(uint64_t hash, uint64_t word) {
  return (hash ^ (word & kCaseBits)) * 0x9E3779B97F4A7C15ull;
}

// Spreads the high bits, where the multiplications put the variety, over the low bits the
// table uses.
uint64_t Finish(uint64_t hash) {
  hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDull;
  return hash ^ (hash >> 33);
}

template <class Word>
uint64_t Load(const char* at) {
  Word word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

// Every character counts: profile names often differ only in their digits. Whole words are
// read, the last one overlapping the one before when the length is not a multiple of eight.
size_t HashIgnoringCase(std::string_view name) {
  const char* at = name.data();
  const size_t size = name.size();
  uint64_t hash = size;
  if (size >= 8) {
    for (size_t i = 0; i + 8 < size; i += 8) hash = Mix(hash, Load<uint64_t>(at + i));
    hash = Mix(hash, Load<uint64_t>(at + size - 8));
  } else if (size >= 4) {
    hash = Mix(hash, Load<uint32_t>(at) << 32 | Load<uint32_t>(at + size - 4));
  } else if (size > 0) {
    const auto byte = [&](size_t i) { return static_cast<uint64_t>(static_cast<uint8_t>(at[i])); };
    hash = Mix(hash, byte(0) << 16 | byte(size / 2) << 8 | byte(size - 1));
  }
  return static_cast<size_t>(Finish(hash));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;  // names are mostly written as in the tables
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

bool TrimmedEqualIgnoringCase(std::string_view text, std::string_view word) {
  return EqualIgnoringCase(Trim(text), word);
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  if (part.empty()) return true;
  if (text.size() < part.size()) return false;
  const char first = UpperAscii(part[0]);
  for (size_t start = 0; start + part.size() <= text.size(); ++start) {
    if (UpperAscii(text[start]) != first) continue;  // most places fail on their first letter
    size_t i = 1;
    while (i < part.size() && UpperAscii(text[start + i]) == UpperAscii(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}
