// The name index: names found ignoring ASCII case in constant time.

#include "base/name_index.h"

#include <algorithm>

#include "base/text.h"

namespace {

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
  for (size_t slot = HashIgnoringCase(name) & mask; slots_[slot].position >= 0;
       slot = (slot + 1) & mask) {
    const Slot& entry = slots_[slot];
    if (EqualIgnoringCase(name, {entry.name, entry.length})) return entry.position;
  }
  return -1;
}

void NameIndex::Place(std::string_view name, int32_t position) {
  const size_t mask = slots_.size() - 1;
  size_t slot = HashIgnoringCase(name) & mask;
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
