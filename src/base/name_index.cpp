#include "base/name_index.h"

#include <algorithm>
#include <cstring>

#include "base/text.h"

namespace {

// Clearing bit 5 of every byte makes a lower-case ASCII letter upper case. Other bytes may
// collide with it (digits with control characters, say), which only costs a comparison:
// Find compares whole names anyway.
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

// Every character counts: profile names often differ only in their digits. Whole words are
// read, the last one overlapping the one before when the length is not a multiple of eight.
size_t Hash(std::string_view name) {
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

constexpr size_t kInitialSlots = 8;

}  // namespace

NameIndex::NameIndex(const std::vector<const char*>& names) {
  size_t size = kInitialSlots;
  while (size < 2 * names.size()) size *= 2;
  slots_.resize(size);
  for (size_t i = 0; i < names.size(); ++i) Add(names[i], static_cast<int32_t>(i));
}

void NameIndex::Add(std::string_view name, int32_t position) {
  if (Find(name) >= 0) return;
  if (2 * (used_ + 1) > slots_.size()) Grow();
  Place(name, position);
}

int32_t NameIndex::Find(std::string_view name) const {
  if (slots_.empty()) return -1;
  const size_t mask = slots_.size() - 1;
  for (size_t slot = Hash(name) & mask; slots_[slot].position >= 0; slot = (slot + 1) & mask) {
    const Slot& entry = slots_[slot];
    if (EqualIgnoringCase(name, {entry.name, entry.length})) return entry.position;
  }
  return -1;
}

void NameIndex::Place(std::string_view name, int32_t position) {
  const size_t mask = slots_.size() - 1;
  size_t slot = Hash(name) & mask;
  while (slots_[slot].position >= 0) slot = (slot + 1) & mask;
  slots_[slot] = {name.data(), static_cast<uint32_t>(name.size()), position};
  ++used_;
}

void NameIndex::Grow() {
  std::vector<Slot> old(std::max(kInitialSlots, 2 * slots_.size()));
  old.swap(slots_);
  used_ = 0;
  for (const Slot& slot : old) {
    if (slot.position >= 0) Place({slot.name, slot.length}, slot.position);
  }
}
