#include "config/name_index.h"

#include "config/text.h"

namespace {

uint64_t Upper(char c) {
  return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

}  // namespace

NameIndex::NameIndex(const std::vector<const char*>& names) {
  size_t size = 8;
  while (size < 4 * names.size()) size *= 2;
  slots_.resize(size);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = names[i];
    if (Find(name) >= 0) continue;
    size_t slot = Home(name);
    while (slots_[slot].position >= 0) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = {name, static_cast<int32_t>(i)};
  }
}

int32_t NameIndex::Find(std::string_view name) const {
  for (size_t slot = Home(name); slots_[slot].position >= 0; slot = (slot + 1) & (slots_.size() - 1)) {
    if (SameIgnoringCase(name, slots_[slot].name)) return slots_[slot].position;
  }
  return -1;
}

// Hashes the length and the first, middle and last characters only: the names in the tables
// seldom share all four, so probes stay short, and Find compares whole names anyway.
size_t NameIndex::Home(std::string_view name) const {
  if (name.empty()) return 0;
  const uint64_t key = name.size() ^ Upper(name.front()) << 8 ^
                       Upper(name[name.size() / 2]) << 16 ^ Upper(name.back()) << 24;
  // Fibonacci hashing: the product's high bits spread the key over the table.
  return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
}
