#pragma once
// A field the per-frame update writes under the controller's lock and the hooks read on other
// game threads without it. Loads and stores are relaxed atomics: a hook sees some whole value
// the update stored, which is all it asks.

#include <atomic>

template <typename T>
class HookVisible {
 public:
  HookVisible(T value = T()) : word_(value) {}
  HookVisible(const HookVisible&) = delete;
  // Copies the value, for a state reset as a whole.
  HookVisible& operator=(const HookVisible& other) { return *this = T(other); }

  operator T() const { return word_.load(std::memory_order_relaxed); }
  HookVisible& operator=(T value) {
    word_.store(value, std::memory_order_relaxed);
    return *this;
  }

 private:
  std::atomic<T> word_;
};
