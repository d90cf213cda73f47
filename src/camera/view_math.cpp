// The camera's rotation library: vectors, row-major matrices, yaw and pitch.

#include "camera/view_math.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr float kEpsilon = 1.1920929e-7f;
constexpr float kHalfPi = 1.5707964f;

float AsinF(float a) { return static_cast<float>(std::asin(static_cast<double>(a))); }
float AcosF(float a) { return static_cast<float>(std::acos(static_cast<double>(a))); }

// Rounding can leave a cosine or a matrix element a hair outside [−1, 1], where asin and
// acos answer NaN; a NaN view breaks the game's camera.
float ClampUnit(float a) { return std::clamp(a, -1.0f, 1.0f); }

}  // namespace

float SinF(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }
float CosF(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }
float SqrtF(float a) { return static_cast<float>(std::sqrt(static_cast<double>(a))); }
float Atan2F(float y, float x) {
  return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}

float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Length(const Vector3& v) { return SqrtF(Dot(v, v)); }

Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 NormalizedOrSame(const Vector3& v) {
  float length = Length(v);
  if (!(length > 0)) return v;
  return {v.x / length, v.y / length, v.z / length};
}

Vector3 Add(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vector3 Subtract(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vector3 Scale(const Vector3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }

Matrix3 ScaledIdentity(float s) {
  Matrix3 r;
  r(0, 0) = s;
  r(1, 1) = s;
  r(2, 2) = s;
  return r;
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 r;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      r(row, column) =
          a(row, 0) * b(0, column) + a(row, 1) * b(1, column) + a(row, 2) * b(2, column);
    }
  }
  return r;
}

Matrix3 Transpose(const Matrix3& m) {
  Matrix3 r;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) r(row, column) = m(column, row);
  }
  return r;
}

float Determinant(const Matrix3& m) {
  return m(0, 0) * (m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1)) -
         m(0, 1) * (m(1, 0) * m(2, 2) - m(1, 2) * m(2, 0)) +
         m(0, 2) * (m(1, 0) * m(2, 1) - m(1, 1) * m(2, 0));
}

Matrix3 TurnZ(const Matrix3& m, float angle) {
  float c = CosF(angle);
  float s = SinF(angle);
  Matrix3 turn = {{c, -s, 0, s, c, 0, 0, 0, 1}};
  return Multiply(turn, m);
}

Matrix3 TurnX(const Matrix3& m, float angle) {
  float c = CosF(angle);
  float s = SinF(angle);
  Matrix3 turn = {{1, 0, 0, 0, c, -s, 0, s, c}};
  return Multiply(turn, m);
}

Matrix3 AxisAngle(const Vector3& axis, float angle) {
  float c = CosF(angle);
  float s = SinF(angle);
  float C = 1 - c;
  float x = axis.x;
  float y = axis.y;
  float z = axis.z;
  // clang-format off
  return {{x * x * C + c,     x * y * C - z * s, x * z * C + y * s,
           x * y * C + z * s, y * y * C + c,     y * z * C - x * s,
           x * z * C - y * s, y * z * C + x * s, z * z * C + c}};
  // clang-format on
}

AxisAngleResult AxisAngleOf(const Matrix3& m) {
  Vector3 v = {m(2, 1) - m(1, 2), m(0, 2) - m(2, 0), m(1, 0) - m(0, 1)};
  float s = Length(v);
  float w = m(0, 0) + m(1, 1) + m(2, 2) - 1;
  if (s > 0) return {{v.x / s, v.y / s, v.z / s}, Atan2F(s, w)};
  // Without a skew part the turn is none (w = 2) or a half turn (w = −2). B·Aᵀ of two equal
  // single-precision rotations often has w a hair below 2: that is still no turn.
  if (w > 0) return {{1, 0, 0}, 0};

  // A half turn: the axis comes from the largest diagonal element.
  Vector3 axis;
  if (m(2, 2) > m(0, 0) && m(2, 2) > m(1, 1)) {
    axis.z = SqrtF(m(2, 2) - m(0, 0) - m(1, 1) + 1) * 0.5f;
    axis.x = m(0, 2) * 0.5f / axis.z;
    axis.y = m(1, 2) * 0.5f / axis.z;
  } else if (m(1, 1) > m(0, 0) && m(1, 1) > m(2, 2)) {
    axis.y = SqrtF(m(1, 1) - m(0, 0) - m(2, 2) + 1) * 0.5f;
    axis.x = m(0, 1) * 0.5f / axis.y;
    axis.z = m(1, 2) * 0.5f / axis.y;
  } else {
    axis.x = SqrtF(m(0, 0) - m(1, 1) - m(2, 2) + 1) * 0.5f;
    axis.y = m(0, 1) * 0.5f / axis.x;
    axis.z = m(0, 2) * 0.5f / axis.x;
  }
  return {axis, kPi};
}

Matrix3 Slerp(const Matrix3& a, const Matrix3& b, float t) {
  AxisAngleResult turn = AxisAngleOf(Multiply(b, Transpose(a)));
  return Multiply(AxisAngle(turn.axis, t * turn.angle), a);
}

Matrix3 RotationBetween(const Vector3& u, const Vector3& v) {
  float angle = AcosF(ClampUnit(Dot(u, v)));
  return AxisAngle(NormalizedOrSame(Cross(u, v)), angle);
}

float YawOf(const Matrix3& m) {
  float m20 = m(2, 0);
  if (std::fabs(m20 + 1) < kEpsilon) return Atan2F(m(0, 1), m(0, 2));
  if (std::fabs(m20 - 1) < kEpsilon) return Atan2F(-m(0, 1), -m(0, 2));
  float k = CosF(AsinF(ClampUnit(m20)));
  return Atan2F(m(1, 0) / k, m(0, 0) / k);
}

float PitchOf(const Matrix3& m) {
  float m20 = m(2, 0);
  if (std::fabs(m20 + 1) < kEpsilon) return kHalfPi;
  if (std::fabs(m20 - 1) < kEpsilon) return -kHalfPi;
  float k = CosF(AsinF(ClampUnit(m20)));
  return Atan2F(m(2, 1) / k, m(2, 2) / k);
}

Matrix3 YawPitchOrientation(float yaw, float pitch) {
  return TurnZ(TurnX(ScaledIdentity(1), pitch), -yaw);
}

const Matrix3& YawPitchMemo::Orientation(float yaw, float pitch) {
  const auto yawBits = std::bit_cast<uint32_t>(yaw);
  const auto pitchBits = std::bit_cast<uint32_t>(pitch);
  if (!known_ || yawBits != yawBits_ || pitchBits != pitchBits_) {
    orientation_ = YawPitchOrientation(yaw, pitch);
    yawBits_ = yawBits;
    pitchBits_ = pitchBits;
    known_ = true;
  }
  return orientation_;
}

Vector3 Forward(const Matrix3& m) { return {m(0, 1), m(1, 1), m(2, 1)}; }

bool IsFinite(const Vector3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool IsFinite(const Matrix3& m) {
  return std::all_of(m.m, m.m + 9, [](float e) { return std::isfinite(e); });
}
