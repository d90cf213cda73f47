#pragma once
// Finds a name in a list of names ignoring ASCII case, without trimming, in constant time. The
// parsers resolve every value and command name through one, and a session its profile names;
// the names must outlive the index and stay unchanged.

#include <cstdint>
#include <string_view>
#include <vector>

class NameIndex {
 public:
  NameIndex() = default;
  // Position of each name in `names`; the first of equal names wins.
  explicit NameIndex(const std::vector<const char*>& names);
  // Adds `name` at `position` unless an equal name is already there.
  void Add(std::string_view name, int32_t position);
  // The position of `name`, or -1.
  int32_t Find(std::string_view name) const;

 private:
  struct Slot {
    const char* name = nullptr;
    uint32_t length = 0;
    int32_t position = -1;  // -1: empty
  };
  void Place(std::string_view name, int32_t position);
  void Grow();

  // Open addressing with linear probing; a power-of-two size, at most half full.
  std::vector<Slot> slots_;
  size_t used_ = 0;
};
