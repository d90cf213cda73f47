#pragma once
// The small rotation library of the camera. World frame: X right, Y forward, Z up.
// Matrices are row-major and act on column vectors (v' = M·v). Angles in radians; yaw turns
// about Z, pitch about X.
//
// Everything is stored in single precision. sin, cos, sqrt, asin, acos and atan2 are evaluated
// in double on single-precision inputs and rounded back, so results match the game's own
// arithmetic bit for bit; keep the order of operations when editing.

#include <cstdint>

struct Vector3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

struct Matrix3 {
  float m[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};

  float& operator()(int row, int column) { return m[row * 3 + column]; }
  float operator()(int row, int column) const { return m[row * 3 + column]; }
};

struct AxisAngleResult {
  Vector3 axis;
  float angle = 0;
};

constexpr float kPi = 3.1415927f;

// The transcendental functions as the camera evaluates them.
float SinF(float a);
float CosF(float a);
float SqrtF(float a);
float Atan2F(float y, float x);

float Length(const Vector3& v);
float Dot(const Vector3& a, const Vector3& b);
Vector3 Cross(const Vector3& a, const Vector3& b);
// v / |v| when the length is above 0; v unchanged otherwise.
Vector3 NormalizedOrSame(const Vector3& v);
Vector3 Add(const Vector3& a, const Vector3& b);
Vector3 Subtract(const Vector3& a, const Vector3& b);
Vector3 Scale(const Vector3& v, float s);

Matrix3 ScaledIdentity(float s);
Matrix3 Multiply(const Matrix3& a, const Matrix3& b);
Matrix3 Transpose(const Matrix3& m);
float Determinant(const Matrix3& m);
Matrix3 TurnZ(const Matrix3& m, float angle);  // Rz(angle)·m
Matrix3 TurnX(const Matrix3& m, float angle);  // Rx(angle)·m
Matrix3 AxisAngle(const Vector3& axis, float angle);
AxisAngleResult AxisAngleOf(const Matrix3& m);
Matrix3 Slerp(const Matrix3& a, const Matrix3& b, float t);
Matrix3 RotationBetween(const Vector3& u, const Vector3& v);
float YawOf(const Matrix3& m);
float PitchOf(const Matrix3& m);
// Rz(−yaw)·Rx(pitch): the orientation of a camera that looks yaw to the right and pitch up.
Matrix3 YawPitchOrientation(float yaw, float pitch);

// YawPitchOrientation of the angles asked for last, kept: a camera that does not turn asks for
// the same one frame after frame, and each costs four sines and cosines.
class YawPitchMemo {
 public:
  const Matrix3& Orientation(float yaw, float pitch);

 private:
  bool known_ = false;
  uint32_t yawBits_ = 0;  // the angles' bits: a NaN is kept as reliably as any other angle
  uint32_t pitchBits_ = 0;
  Matrix3 orientation_;
};

// The second column: where the matrix points Y, the forward axis.
Vector3 Forward(const Matrix3& m);

bool IsFinite(const Vector3& v);
bool IsFinite(const Matrix3& m);
