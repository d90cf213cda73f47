#include "base/name_index.h"

#include "base/text.h"

namespace {

constexpr uint64_t Upper(char c) {
  return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

// Hashes the length and the first, middle and last characters only: the names in the tables
// seldom share all four, so probes stay short, and Find compares whole names anyway.
size_t Hash(std::string_view name) {
  if (name.empty()) return 0;
  const uint64_t key = name.size() ^ Upper(name.front()) << 8 ^
                       Upper(name[name.size() / 2]) << 16 ^ Upper(name.back()) << 24;
  // Fibonacci hashing: the product's high bits spread the key over the table.
  return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32);
}

}  // namespace

NameIndex::NameIndex(const std::vector<const char*>& names) {
  size_t size = 8;
  while (size < 4 * names.size()) size *= 2;
  slots_.resize(size);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = names[i];
    if (Find(name) >= 0) continue;
    size_t slot = Hash(name) & (size - 1);
    while (slots_[slot].position >= 0) slot = (slot + 1) & (size - 1);
    slots_[slot] = {name, static_cast<int32_t>(i)};
  }
}

int32_t NameIndex::Find(std::string_view name) const {
  const size_t mask = slots_.size() - 1;
  for (size_t slot = Hash(name) & mask; slots_[slot].position >= 0; slot = (slot + 1) & mask) {
    if (EqualIgnoringCase(name, slots_[slot].name)) return slots_[slot].position;
  }
  return -1;
}
