#pragma once
// Finds a name in a fixed list of names ignoring ASCII case, without trimming, in constant
// time. The parsers resolve every value and command name through one; the names must outlive
// the index (static tables).

#include <cstdint>
#include <string_view>
#include <vector>

class NameIndex {
 public:
  // Position of each name in `names`; the first of equal names wins.
  explicit NameIndex(const std::vector<const char*>& names);
  // The position of `name`, or -1.
  int32_t Find(std::string_view name) const;

 private:
  struct Slot {
    std::string_view name;
    int32_t position = -1;  // -1: empty
  };
  // Open addressing with linear probing; a power-of-two size, at most a quarter full.
  std::vector<Slot> slots_;
};
