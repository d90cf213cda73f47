#pragma once
// Texts kept for as long as their pool lives: what a load's records point into, so a record
// with a text costs no allocation of its own.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TextPool {
 public:
  TextPool() = default;
  TextPool(const TextPool&) = delete;
  TextPool& operator=(const TextPool&) = delete;

  // A NUL-terminated copy of `text` that never moves while the pool lives. While the pool
  // shares, an equal text kept before is answered instead of a new copy.
  std::string_view Keep(std::string_view text);
  // A load shares: configurations repeat names (profiles, keywords, events) many times. The
  // index that finds them is only worth its memory while texts come in, so stopping frees it.
  void StartSharing();
  void StopSharing();

 private:
  // Most texts are a few characters: one block holds hundreds of them.
  static constexpr size_t kBlockBytes = 4096;

  struct Slot {
    const char* chars = nullptr;  // null: free
    uint32_t length = 0;
    uint32_t hash = 0;  // kept, so that growing and most mismatches need no text read
  };

  std::string_view Copy(std::string_view text);
  // The slot that holds `text` (of hash `hash`), or the free slot where it belongs.
  Slot& SlotOf(std::string_view text, uint32_t hash);
  void GrowIndex();

  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // the rest of the newest ordinary block
  size_t left_ = 0;
  // Open addressing with linear probing over the kept texts; a power-of-two size, at most
  // half full; empty while not sharing.
  std::vector<Slot> index_;
  size_t indexed_ = 0;
};
