#include "config/name_index.h"

#include "config/text.h"

NameIndex::NameIndex(const std::vector<const char*>& names) {
  for (size_t i = 0; i < names.size(); ++i) positions_.emplace(names[i], static_cast<int32_t>(i));
}

int32_t NameIndex::Find(std::string_view name) const {
  const auto found = positions_.find(name);
  return found == positions_.end() ? -1 : found->second;
}

size_t NameIndex::Hash::operator()(std::string_view text) const {
  // FNV-1a over the upper-cased bytes.
  size_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    hash *= 1099511628211ull;
  }
  return hash;
}

bool NameIndex::Equal::operator()(std::string_view a, std::string_view b) const {
  return SameIgnoringCase(a, b);
}
