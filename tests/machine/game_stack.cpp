// The game stack a site run uses, aligned to a whole block.

#include "site_runner.h"

// Twice the block, so that one whole block lies inside; its first bytes hold a run's record.
GameStack::GameStack() : memory_(new uint8_t[2 * kGameStackBlock]) {
  const uint32_t start = reinterpret_cast<uint32_t>(memory_.get());
  base_ = (start + kGameStackBlock - 1) & ~(kGameStackBlock - 1);
}
