// The host camera states the controller acts in.

#include "camera/state_sets.h"

#include <initializer_list>


namespace {

constexpr uint32_t Ids(std::initializer_list<int32_t> ids) {
  uint32_t set = 0;
  for (int32_t id : ids) set |= 1u << id;
  return set;
}

constexpr uint32_t kHeadCameraStates = Ids({2, 5, 6, 8, 9, 10, 11, 12});
constexpr uint32_t kYawPitchStates = Ids({9, 10, 12});
constexpr uint32_t kHeadTrackingStates = Ids({3, 5, 8, 9, 10, 12});
constexpr uint32_t kClearedOffsetStates = Ids({5, 6, 8, 9, 10, 11, 12});

bool InSet(int32_t id, uint32_t set) { return id >= 0 && id < 32 && (set >> id) & 1u; }

}  // namespace

bool IsHeadCameraStateId(int32_t id) { return InSet(id, kHeadCameraStates); }
bool IsYawPitchStateId(int32_t id) { return InSet(id, kYawPitchStates); }
bool IsHeadTrackingStateId(int32_t id) { return InSet(id, kHeadTrackingStates); }
bool IsClearedOffsetStateId(int32_t id) { return InSet(id, kClearedOffsetStates); }
