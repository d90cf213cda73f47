#pragma once
// "The value, or this default": the one reader for every place that has a default of its own.

#include <cstdint>
#include <type_traits>

struct ValueRegistry;

// The reading of `index` from `source` when it is set and of T's type (float, int32_t or
// bool), else `fallback`. `source` is a ValueRegistry or the camera's settings (whose owner
// reads under its lock). T is named at the call: a default of 0 must not pick the Int reader
// for a Float value.
template <typename T, typename Source>
[[nodiscard]] T ValueOr(Source& source, int32_t index, std::type_identity_t<T> fallback) {
  static_assert(std::is_same_v<T, float> || std::is_same_v<T, int32_t> || std::is_same_v<T, bool>);
  if constexpr (std::is_same_v<Source, ValueRegistry>) {
    if constexpr (std::is_same_v<T, float>) (void)GetFloat(source, index, fallback);
    if constexpr (std::is_same_v<T, int32_t>) (void)GetInt(source, index, fallback);
    if constexpr (std::is_same_v<T, bool>) (void)GetBool(source, index, fallback);
  } else {
    if constexpr (std::is_same_v<T, float>) (void)source.GetFloat(index, fallback);
    if constexpr (std::is_same_v<T, int32_t>) (void)source.GetInt(index, fallback);
    if constexpr (std::is_same_v<T, bool>) (void)source.GetBool(index, fallback);
  }
  return fallback;
}
