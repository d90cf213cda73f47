// One value's record: its effective value, its tween, its captured base.

#include "values/value.h"

#include <bit>
#include <cmath>
#include <string>

namespace {

// elapsed / duration limited to [0, 1]; a NaN ratio counts as 0.
float TweenFraction(const Tween& tween) {
  const float t = tween.elapsed / tween.duration;
  if (!(t > 0)) return 0;
  return t > 1 ? 1 : t;
}

}  // namespace

Tween MakeTween(const ValueData& start, const ValueData& target, float duration) {
  return Tween{start, target, 0, duration};
}

Tween RetargetTween(const Tween& old, const ValueData& target, float duration) {
  // Continue from where the running transition stands, so the value does not jump.
  ValueData start = old.target.type == ValueType::Float ? TweenPosition(old) : old.target;
  return Tween{std::move(start), target, 0, duration};
}

namespace {

// The position of a tween towards a Float target.
float TweenFloat(const Tween& tween) {
  const float from = tween.start.AsFloat();
  const float to = tween.target.AsFloat();
  const float position = from + (to - from) * TweenFraction(tween);
  // Far-apart ends overflow the difference; such a step leaves the value where it started.
  return std::isfinite(position) ? position : from;
}

const std::string kNoText;

}  // namespace

ValueData TweenPosition(const Tween& tween) {
  if (tween.target.type != ValueType::Float) return tween.start;
  return ValueData::Float(TweenFloat(tween));
}

namespace {

ValueData Effective(const Value& value, const ValueData& current, const ValueData& base,
                    bool includeTween) {
  if (includeTween && value.tween) return TweenPosition(*value.tween);
  if (current.isSet) return current;
  if (base.isSet) return base;
  return current;
}

}  // namespace

ValueData GetValue(ValueRegistry& registry, Value& value, bool includeTween) {
  CaptureBase(registry, value);
  return Effective(value, value.current, value.base, includeTween);
}

ValueReading TweenReading(const Tween& tween) {
  if (tween.target.type != ValueType::Float) return InPlace(tween.start);
  return {std::bit_cast<uint32_t>(TweenFloat(tween)), true, ValueType::Float, &kNoText};
}

ValueData PeekValue(ValueRegistry& registry, const Value& value, bool includeTween) {
  if (value.base.isSet || !value.readBack) {
    return Effective(value, value.current, value.base, includeTween);
  }
  // What CaptureBase would take, read but not kept.
  const ValueData host = value.readBack(registry);
  const ValueData& current = value.current.isSet || !host.isSet ? value.current : host;
  return Effective(value, current, host, includeTween);
}

void CaptureBase(ValueRegistry& registry, Value& value) {
  if (value.base.isSet || !value.readBack) return;
  value.base = value.readBack(registry);
  if (!value.base.isSet) return;  // tried again at the next read
  value.baseCaptured = true;
  if (!value.current.isSet) value.current = value.base;
}

void TickValue(ValueRegistry& registry, Value& value, float dt) {
  if (value.tween) {
    value.tween->elapsed += dt;
    if (value.tween->elapsed >= value.tween->duration) {
      value.tween.reset();  // current already holds the target
      value.applyPending = true;
    } else if (value.type == ValueType::Float) {
      value.applyPending = true;  // a moving Float applies every frame
    }
  }
  if (value.applyPending) {
    if (value.apply) value.apply(registry, GetValue(registry, value, true));
    value.applyPending = false;
  }
}
