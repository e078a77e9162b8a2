#include "services/arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace yz {
namespace {

TEST(Arithmetic, IntDivide) {
  EXPECT_EQ(IntDivide(7, 2), 3);
  EXPECT_EQ(IntDivide(-7, 2), -3);
  EXPECT_EQ(IntDivide(7, -2), -3);
  EXPECT_EQ(IntDivide(7.9, 1), 7);
  EXPECT_EQ(IntDivide(100, 3, 3), 11);  // 100 / 3 → 33, then 33 / 3 → 11
  EXPECT_EQ(IntDivide(100, 7, 2), 7);   // 14, then 7
  EXPECT_EQ(IntDivide(1e18, 10), 1e17);
}

TEST(Arithmetic, Remainder) {
  EXPECT_EQ(Remainder(7, 3), 1);
  EXPECT_EQ(Remainder(-7, 3), -1);
  EXPECT_EQ(Remainder(7, -3), 1);
  EXPECT_EQ(Remainder(7.5, 2), 1.5);
  EXPECT_EQ(Remainder(100, 30, 7), 3);  // 10, then 3
}

#ifdef NDEBUG
TEST(Arithmetic, ZeroDivisorGivesZeroInRelease) {
  EXPECT_EQ(IntDivide(7, 0), 0);
  EXPECT_EQ(IntDivide(7, 2, 0), 0);
  EXPECT_EQ(Remainder(7, 0), 0);
  EXPECT_EQ(Remainder(7, 3, 0), 0);
}
#else
TEST(ArithmeticDeathTest, ZeroDivisorStopsDebugBuild) {
  EXPECT_DEATH(IntDivide(7, 0), "zero divisor");
  EXPECT_DEATH(IntDivide(7, 2, 0), "zero divisor");
  EXPECT_DEATH(Remainder(7, 0), "zero divisor");
}
#endif

TEST(Arithmetic, BitAndBitOr) {
  EXPECT_EQ(BitAnd(12, 10), 8);
  EXPECT_EQ(BitAnd(0xFF, 0x0F, 0x3C), 0x0C);
  EXPECT_EQ(BitAnd(-1, INT_MIN), INT_MIN);
  EXPECT_EQ(BitOr(1, 2), 3);
  EXPECT_EQ(BitOr(1, 2, 4, 8), 15);
  EXPECT_EQ(BitOr(INT_MIN, 1), INT_MIN + 1);
}

struct FloorCase {
  double value;
  int want;
};

constexpr FloorCase kFloors[] = {
    {2.9999999999999, 3},   // fraction beyond 0.999999999999: moved up first
    {-2.9999999999999, -3},
    {2.99999999999, 2},     // eleven nines: an ordinary fraction
    {-2.99999999999, -3},
    {-2.5, -3},
    {2.5, 2},
    {3.0, 3},
    {-3.0, -3},
    {0.0, 0},
    {1e-13, 0},
    {-1e-13, -1},
    {2147483647.0, INT_MAX},
    {-2147483648.0, INT_MIN},
    {1e10, INT_MIN},
    {std::numeric_limits<double>::quiet_NaN(), INT_MIN},
};

TEST(Arithmetic, FloorToInt) {
  for (const auto& c : kFloors) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(FloorToInt(c.value), c.want);
  }
}

}  // namespace
}  // namespace yz
