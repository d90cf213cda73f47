#pragma once
// What the followed character holds in each hand, classified once per updater pass and shared
// by the twelve aim and attack values.

#include <cstdint>

#include "host/host.h"

// Class bits of one hand; at most one is set.
namespace HandClass {
enum : uint32_t { Empty = 1, Magic = 2, TwoHanded = 4, OneHanded = 8, Bow = 16, Crossbow = 32 };
}

// handClass keeps the right hand in the low 16 bits and the left hand in the high 16 bits.
constexpr uint32_t RightHand(uint32_t classBits) { return classBits; }
constexpr uint32_t LeftHand(uint32_t classBits) { return classBits << 16; }
constexpr uint32_t EitherHand(uint32_t classBits) {
  return RightHand(classBits) | LeftHand(classBits);
}

extern uint32_t activeHands;  // bit 0 right hand active, bit 1 left hand active
extern uint32_t handClass;
extern int32_t handCacheStale;  // 1: classify again before the next hand value is read

void ClassifyHands(HostActor* character);
