// The camera's rotation library against Eigen (double precision) as an independent oracle.

#include "camera/view_math.h"

#include <gtest/gtest.h>

#include <Eigen/Geometry>
#include <bit>
#include <cmath>
#include <random>

namespace {

Eigen::Matrix3d ToEigen(const Matrix3& m) {
  Eigen::Matrix3d r;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) r(row, column) = m(row, column);
  }
  return r;
}

Matrix3 FromEigen(const Eigen::Matrix3d& m) {
  Matrix3 r;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) r(row, column) = static_cast<float>(m(row, column));
  }
  return r;
}

Eigen::Matrix3d Turn(double angle, const Eigen::Vector3d& axis) {
  return Eigen::AngleAxisd(angle, axis.normalized()).toRotationMatrix();
}

::testing::AssertionResult Near(const Matrix3& actual, const Eigen::Matrix3d& expected,
                                double tolerance) {
  double error = (ToEigen(actual) - expected).cwiseAbs().maxCoeff();
  if (error <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "largest difference " << error << "\nactual\n"
                                       << ToEigen(actual) << "\nexpected\n"
                                       << expected;
}

// Axes in every octant and near each coordinate axis.
const Eigen::Vector3d kAxes[] = {{1, 0, 0},    {0, 1, 0},        {0, 0, 1},
                                 {1, 2, 3},    {-3, 1, 0.5},     {0.2, -0.9, 0.4},
                                 {-1, -1, -1}, {0.01, 0.02, -1}, {5, -0.1, 0.2}};
const double kAngles[] = {0.001, 0.3, 1.0, -0.7, 2.5, 3.1};

}  // namespace

TEST(ViewMath, ElementaryRotationsMatchEigen) {
  Eigen::Matrix3d start = Turn(0.4, {1, -2, 0.5});
  for (double angle : {-3.0, -1.2, 0.0, 0.5, 1.5707964, 2.9}) {
    float a = static_cast<float>(angle);
    EXPECT_TRUE(Near(TurnZ(FromEigen(start), a), Turn(a, Eigen::Vector3d::UnitZ()) * start, 2e-6));
    EXPECT_TRUE(Near(TurnX(FromEigen(start), a), Turn(a, Eigen::Vector3d::UnitX()) * start, 2e-6));
  }
  Eigen::Matrix3d other = Turn(-1.1, {0.3, 0.3, 1});
  EXPECT_TRUE(Near(Multiply(FromEigen(start), FromEigen(other)), start * other, 2e-6));
  EXPECT_TRUE(Near(ScaledIdentity(2.5f), 2.5 * Eigen::Matrix3d::Identity(), 0));
}

TEST(ViewMath, YawPitchOrientationTurnsForwardRightAndUp) {
  // A yaw of 90 degrees looks along +X (right), a pitch of 90 degrees along +Z (up).
  Vector3 right = Forward(YawPitchOrientation(kPi / 2, 0));
  EXPECT_NEAR(right.x, 1, 1e-6);
  EXPECT_NEAR(right.y, 0, 1e-6);
  Vector3 up = Forward(YawPitchOrientation(0, kPi / 2));
  EXPECT_NEAR(up.z, 1, 1e-6);
  EXPECT_NEAR(up.y, 0, 1e-6);
  Eigen::Matrix3d expected =
      Turn(-0.8, Eigen::Vector3d::UnitZ()) * Turn(0.3, Eigen::Vector3d::UnitX());
  EXPECT_TRUE(Near(YawPitchOrientation(0.8f, 0.3f), expected, 2e-6));
}

TEST(ViewMath, TheOrientationMemoAnswersForTheAnglesAskedNow) {
  const float nan = std::nanf("");
  // Repeats, a signed zero and a NaN: the memo must not mistake any of them for the last angles.
  const float angles[][2] = {{0.5f, 0.2f}, {0.5f, 0.2f}, {0.5f, -0.0f}, {0.5f, 0.0f},
                             {0.6f, 0.0f}, {nan, 0.1f},  {nan, 0.1f},   {0.6f, 0.1f}};
  YawPitchMemo memo;
  for (const auto& [yaw, pitch] : angles) {
    const Matrix3 fresh = YawPitchOrientation(yaw, pitch);
    const Matrix3& kept = memo.Orientation(yaw, pitch);
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(std::bit_cast<uint32_t>(kept.m[i]), std::bit_cast<uint32_t>(fresh.m[i]))
          << "yaw " << yaw << " pitch " << pitch << " element " << i;
    }
  }
}

TEST(ViewMath, AxisAngleAndItsInverseMatchEigen) {
  for (const Eigen::Vector3d& axis : kAxes) {
    Eigen::Vector3d unit = axis.normalized();
    Vector3 axisF = {float(unit.x()), float(unit.y()), float(unit.z())};
    for (double angle : kAngles) {
      float a = static_cast<float>(angle);
      Matrix3 m = AxisAngle(axisF, a);
      EXPECT_TRUE(Near(m, Turn(a, unit), 3e-6)) << "angle " << angle;

      // AxisAngleOf answers a positive angle: a negative turn comes back about the flipped axis.
      Eigen::AngleAxisd oracle(ToEigen(m));
      AxisAngleResult back = AxisAngleOf(m);
      EXPECT_NEAR(back.angle, oracle.angle(), 2e-5) << "angle " << angle;
      if (oracle.angle() > 0.01) {
        EXPECT_NEAR(back.axis.x, oracle.axis().x(), 1e-4);
        EXPECT_NEAR(back.axis.y, oracle.axis().y(), 1e-4);
        EXPECT_NEAR(back.axis.z, oracle.axis().z(), 1e-4);
      }
    }
  }
}

TEST(ViewMath, AxisAngleOfHalfTurnsTakesTheAxisFromTheLargestDiagonal) {
  // 2·a·aᵀ − I is an exact, symmetric half turn: the skew part is exactly zero, so the
  // diagonal decides. One axis per branch: z largest, y largest, x largest.
  for (Eigen::Vector3d axis : {Eigen::Vector3d(0.2, 0.3, 0.93), Eigen::Vector3d(-0.4, 0.9, 0.1),
                               Eigen::Vector3d(0.8, -0.5, 0.3), Eigen::Vector3d(0, 0, 1)}) {
    axis.normalize();
    Matrix3 m;
    float a[3] = {float(axis.x()), float(axis.y()), float(axis.z())};
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        m(row, column) = 2 * a[row] * a[column] - (row == column ? 1.0f : 0.0f);
      }
    }
    AxisAngleResult back = AxisAngleOf(m);
    EXPECT_EQ(back.angle, kPi);
    double sign =
        (back.axis.x * axis.x() + back.axis.y * axis.y() + back.axis.z * axis.z()) < 0 ? -1 : 1;
    EXPECT_NEAR(back.axis.x, sign * axis.x(), 1e-5);
    EXPECT_NEAR(back.axis.y, sign * axis.y(), 1e-5);
    EXPECT_NEAR(back.axis.z, sign * axis.z(), 1e-5);
    EXPECT_TRUE(Near(AxisAngle(back.axis, back.angle), Turn(M_PI, axis), 1e-5));
  }
}

TEST(ViewMath, AxisAngleOfIdentityIsNoTurn) {
  AxisAngleResult back = AxisAngleOf(ScaledIdentity(1));
  EXPECT_EQ(back.angle, 0);
  EXPECT_EQ(back.axis.x, 1);
  EXPECT_EQ(back.axis.y, 0);
  EXPECT_EQ(back.axis.z, 0);
}

TEST(ViewMath, AxisAngleOfRoundedIdentityIsNoTurn) {
  // A·Aᵀ of a single-precision rotation is exactly symmetric but its trace may fall a hair
  // short of 3; that is still no turn, not a half turn.
  Matrix3 nearIdentity = ScaledIdentity(1);
  nearIdentity(0, 0) = 0.99999994f;
  nearIdentity(1, 1) = 0.99999994f;
  nearIdentity(2, 2) = 0.99999994f;
  EXPECT_EQ(AxisAngleOf(nearIdentity).angle, 0);
}

TEST(ViewMath, SlerpEndPointsAndSelf) {
  for (const Eigen::Vector3d& axis : kAxes) {
    Matrix3 a = FromEigen(Turn(0.9, axis));
    Matrix3 b = FromEigen(Turn(-1.3, Eigen::Vector3d(axis.z(), 1, -axis.x())) * Turn(0.9, axis));
    EXPECT_TRUE(Near(Slerp(a, b, 0), ToEigen(a), 1e-6));
    EXPECT_TRUE(Near(Slerp(a, b, 1), ToEigen(b), 1e-5));
    for (float t : {0.0f, 0.25f, 0.5f, 1.0f, 2.0f}) {
      EXPECT_TRUE(Near(Slerp(a, a, t), ToEigen(a), 1e-6)) << "t " << t;
    }
    // Halfway matches the oracle's quaternion slerp.
    Eigen::Quaterniond qa(ToEigen(a)), qb(ToEigen(b));
    EXPECT_TRUE(Near(Slerp(a, b, 0.5f), qa.slerp(0.5, qb).toRotationMatrix(), 1e-5));
  }
}

TEST(ViewMath, SlerpOfAnyRotationWithItselfStaysPut) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> angle(-3.1f, 3.1f);
  for (int i = 0; i < 2000; ++i) {
    Matrix3 a = TurnZ(TurnX(TurnZ(ScaledIdentity(1), angle(random)), angle(random)), angle(random));
    ASSERT_TRUE(Near(Slerp(a, a, 0.5f), ToEigen(a), 1e-6)) << "rotation " << i;
  }
}

TEST(ViewMath, RotationBetweenTurnsOneDirectionOntoTheOther) {
  const Eigen::Vector3d pairs[][2] = {{{0, 1, 0}, {1, 0, 0}},
                                      {{0, 1, 0}, {0.3, 0.9, 0.2}},
                                      {{1, 2, 3}, {-2, 0.5, 1}},
                                      {{0.1, -1, 0.2}, {0, 0, 1}}};
  for (const auto& pair : pairs) {
    Eigen::Vector3d u = pair[0].normalized(), v = pair[1].normalized();
    Matrix3 q = RotationBetween({float(u.x()), float(u.y()), float(u.z())},
                                {float(v.x()), float(v.y()), float(v.z())});
    Eigen::Matrix3d oracle = Eigen::Quaterniond::FromTwoVectors(u, v).toRotationMatrix();
    EXPECT_TRUE(Near(q, oracle, 1e-5));
  }
}

TEST(ViewMath, RotationBetweenEqualDirectionsSurvivesADotProductAboveOne) {
  // Find a normalised single-precision vector whose dot product with itself rounds above 1.
  Vector3 u;
  bool found = false;
  for (int i = 1; i < 2000 && !found; ++i) {
    u = NormalizedOrSame({0.001f * i, 1.0f, 0.37f});
    found = Dot(u, u) > 1.0f;
  }
  ASSERT_TRUE(found);
  Matrix3 q = RotationBetween(u, u);
  ASSERT_TRUE(IsFinite(q));
  EXPECT_TRUE(Near(q, Eigen::Matrix3d::Identity(), 1e-6));
}

TEST(ViewMath, YawAndPitchOfPureTurns) {
  for (float a : {-3.1f, -1.5f, -0.2f, 0.0f, 0.7f, 1.6f, 3.1f}) {
    EXPECT_NEAR(YawOf(TurnZ(ScaledIdentity(1), a)), a, 1e-6) << a;
    EXPECT_NEAR(PitchOf(TurnX(ScaledIdentity(1), a)), a, 1e-6) << a;
  }
}

TEST(ViewMath, YawAndPitchAreTheOuterAndInnerEulerAnglesOfEigen) {
  // M = Rz(a)·Ry(b)·Rx(c): YawOf gives a and PitchOf gives c while |b| < 90 degrees.
  for (double a : {-2.5, 0.4, 1.9}) {
    for (double b : {-1.2, 0.0, 0.6}) {
      for (double c : {-0.9, 0.3, 2.8}) {
        Matrix3 m =
            FromEigen(Turn(a, Eigen::Vector3d::UnitZ()) * Turn(b, Eigen::Vector3d::UnitY()) *
                      Turn(c, Eigen::Vector3d::UnitX()));
        EXPECT_NEAR(YawOf(m), a, 2e-6);
        EXPECT_NEAR(PitchOf(m), c, 2e-6);
      }
    }
  }
}

TEST(ViewMath, YawAndPitchAtTheStraightUpAndDownGuards) {
  Matrix3 m = ScaledIdentity(1);
  m(2, 0) = -1 + 5e-8f;  // within the guard: no asin evaluated
  m(0, 1) = 0.6f;
  m(0, 2) = 0.8f;
  EXPECT_EQ(PitchOf(m), 1.5707964f);
  EXPECT_EQ(YawOf(m), Atan2F(0.6f, 0.8f));
  m(2, 0) = 1 - 5e-8f;
  EXPECT_EQ(PitchOf(m), -1.5707964f);
  EXPECT_EQ(YawOf(m), Atan2F(-0.6f, -0.8f));

  // Just outside the guard and past ±1, where asin alone answers NaN.
  for (float outside : {1.0000001f, -1.0000001f, 1.0000002f}) {
    m(2, 0) = outside;
    EXPECT_TRUE(std::isfinite(YawOf(m))) << outside;
    EXPECT_TRUE(std::isfinite(PitchOf(m))) << outside;
  }
}
