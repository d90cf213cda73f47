#pragma once
// A fresh registry made current for one test, and a fake host setting with a read-back and an
// apply callback that tests attach to a value.

#include <gtest/gtest.h>

#include <vector>

#include "values/registry.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = currentRegistry;
    currentRegistry = &registry;
  }
  void TearDown() override { currentRegistry = previous_; }

  Value& At(int32_t index) { return *registry.values.at(index); }

  ValueRegistry registry;

 private:
  ValueRegistry* previous_ = nullptr;
};

// One host float setting; callbacks have no context, so the fake is process-wide.
struct FakeHostSetting {
  static inline ValueData live = ValueData::Float(0);
  static inline std::vector<ValueData> applied;

  static ValueData ReadBack() { return live; }
  static void Apply(ValueData data) { applied.push_back(data); }

  // Makes `value` mirror the fake, which holds `host` and has seen no apply yet.
  static void Attach(Value& value, const ValueData& host) {
    live = host;
    applied.clear();
    value.readBack = ReadBack;
    value.apply = Apply;
  }
};
