#include "base/text_pool.h"

#include <cstring>

std::string_view TextPool::Keep(std::string_view text) {
  if (text.empty()) return "";
  const size_t bytes = text.size() + 1;
  char* at = nullptr;
  if (bytes > kBlockBytes / 4) {
    // A long text gets a block of its own, which leaves the ordinary block's room for others.
    at = blocks_.emplace_back(new char[bytes]).get();
  } else {
    if (bytes > left_) {
      free_ = blocks_.emplace_back(new char[kBlockBytes]).get();
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
