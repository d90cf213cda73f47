#pragma once
// Finds a name in a fixed list of names ignoring ASCII case, without trimming, in constant
// time. The parsers resolve every value and command name through one; the names must outlive
// the index (static tables).

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

class NameIndex {
 public:
  // Position of each name in `names`; the first of equal names wins.
  explicit NameIndex(const std::vector<const char*>& names);
  // The position of `name`, or -1.
  int32_t Find(std::string_view name) const;

 private:
  struct Hash {
    size_t operator()(std::string_view text) const;
  };
  struct Equal {
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::unordered_map<std::string_view, int32_t, Hash, Equal> positions_;
};
