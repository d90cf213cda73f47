#pragma once
// Texts kept for as long as their pool lives: what a load's records point into, so a record
// with a text costs no allocation of its own.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class TextPool {
 public:
  TextPool() = default;
  TextPool(const TextPool&) = delete;
  TextPool& operator=(const TextPool&) = delete;

  // A NUL-terminated copy of `text` that never moves while the pool lives.
  std::string_view Keep(std::string_view text);

 private:
  // Most texts are a few characters: one block holds hundreds of them.
  static constexpr size_t kBlockBytes = 4096;

  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // the rest of the newest ordinary block
  size_t left_ = 0;
};
