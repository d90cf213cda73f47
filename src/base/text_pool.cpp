// The text pool: texts that live as long as the pool.

#include "base/text_pool.h"

#include <cstring>
#include <memory>

#include "base/text.h"

namespace {

constexpr size_t kFirstIndexSize = 256;

}  // namespace

std::string_view TextPool::Keep(std::string_view text) {
  if (text.empty()) return "";
  if (index_.empty()) return Copy(text);
  const auto hash = static_cast<uint32_t>(HashIgnoringCase(text));
  Slot* slot = &SlotOf(text, hash);
  if (slot->chars == nullptr) {
    if (2 * (indexed_ + 1) > index_.size()) {
      GrowIndex();
      slot = &SlotOf(text, hash);
    }
    const std::string_view copy = Copy(text);
    *slot = {copy.data(), static_cast<uint32_t>(copy.size()), hash};
    ++indexed_;
  }
  return {slot->chars, slot->length};
}

void TextPool::StartSharing() {
  if (index_.empty()) index_.resize(kFirstIndexSize);
}

void TextPool::StopSharing() {
  std::vector<Slot>().swap(index_);
  indexed_ = 0;
}

std::string_view TextPool::Copy(std::string_view text) {
  const size_t bytes = text.size() + 1;
  char* at = nullptr;
  if (bytes > kBlockBytes / 4) {
    // A long text gets a block of its own, which leaves the ordinary block's room for others.
    at = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(bytes)).get();
  } else {
    if (bytes > left_) {
      free_ = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(kBlockBytes)).get();
      left_ = kBlockBytes;
    }
    at = free_;
    free_ += bytes;
    left_ -= bytes;
  }
  std::memcpy(at, text.data(), text.size());
  at[text.size()] = '\0';
  return {at, text.size()};
}

TextPool::Slot& TextPool::SlotOf(std::string_view text, uint32_t hash) {
  const size_t mask = index_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    Slot& slot = index_[at];
    if (slot.chars == nullptr) return slot;
    // The hash ignores case; the texts must match exactly.
    if (slot.hash == hash && std::string_view(slot.chars, slot.length) == text) return slot;
  }
}

void TextPool::GrowIndex() {
  std::vector<Slot> old(index_.size() * 2);
  old.swap(index_);
  for (const Slot& slot : old) {
    if (slot.chars != nullptr) SlotOf({slot.chars, slot.length}, slot.hash) = slot;
  }
}
