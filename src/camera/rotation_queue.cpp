// Timed turns: each queued item feeds its amount into the look input over its duration.

#include <algorithm>
#include <cmath>

#include "camera/controller.h"

void CameraController::QueueRotation(const RotationItem& item) {
  if (item.axis != 0 && item.axis != 1) return;
  // An item that can never finish would stay queued and feed NaN into the look input.
  if (!std::isfinite(item.amount) || !std::isfinite(item.duration)) return;
  rotationQueues[item.axis].push_back(item);
}

void CameraController::RunRotationQueues(float dt) {
  if (!(dt > 0)) return;
  for (int32_t axis = 0; axis < 2; ++axis) {
    std::vector<RotationItem>& queue = rotationQueues[axis];
    size_t kept = 0;
    for (size_t i = 0; i < queue.size(); ++i) {
      RotationItem item = queue[i];
      float fraction = 1;
      if (item.duration > 0) {
        const float step = std::min(item.duration - item.elapsed, dt);
        item.elapsed += step;
        fraction = step / item.duration;
      }
      const float delta = item.amount * fraction;
      // Independent turns have slots of their own, which a focus reset does not clear.
      const int32_t slot = item.mode == RotationMode::Independent ? axis + 2 : axis;
      if (slot >= 2 || focusDelay == 0) rotationAccumulators[slot] += delta;
      item.applied += delta;
      const bool done = (item.amount > 0 && item.applied >= item.amount) ||
                        (item.amount <= 0 && item.applied <= item.amount) ||
                        item.elapsed >= item.duration || (item.mode == RotationMode::Focus && focusDelay != 0);
      if (!done) queue[kept++] = item;
    }
    queue.resize(kept);
  }
}

QueuedTurns CameraController::RemainingTurns() const {
  QueuedTurns turns;
  for (int32_t axis = 0; axis < 2; ++axis) {
    for (const RotationItem& item : rotationQueues[axis]) {
      ++turns.items[axis];
      turns.left[axis] += item.amount - item.applied;
    }
  }
  return turns;
}
