#include "services/big_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace yz {
namespace {

BigNumber N(long long v) {
  BigNumber n;
  EXPECT_TRUE(n.FromNumber(v)) << v;
  return n;
}

BigNumber D(double v) {
  BigNumber n;
  EXPECT_TRUE(n.FromNumber(v)) << v;
  return n;
}

BigNumber Neg(const BigNumber& a) { return Multiply(a, N(-1)); }

// 10^k.
BigNumber Pow10(int k) {
  BigNumber r = N(1);
  for (int i = 0; i < k; ++i) r = Multiply(r, N(10));
  return r;
}

struct Case {
  const char* what;
  BigNumber (*compute)();
  std::string_view want;
};

// The values that the radix page and its users rely on.
constexpr Case kListedCases[] = {
    {"int max + 1", [] { return Add(N(2147483647), N(1)); }, "2147483648"},
    {"1 / 3, 5 places", [] { return Divide(N(1), N(3), 5); }, "0.33333"},
    {"10 / 3, 0 places", [] { return Divide(N(10), N(3), 0); }, "3"},
    {"10 / 0", [] { return Divide(N(10), N(0), 0); }, "0"},
    {"7 / 7", [] { return Divide(N(7), N(7), 0); }, "1"},
    {"10 mod 3", [] { return Modulo(N(10), N(3)); }, "1"},
    {"10 mod 0", [] { return Modulo(N(10), N(0)); }, "10"},
    {"999999999 squared", [] { return Multiply(N(999999999), N(999999999)); }, "999999998000000001"},
    {"5 + -5", [] { return Add(N(5), N(-5)); }, "0"},
    {"-7 + 3", [] { return Add(N(-7), N(3)); }, "-4"},
    {"one thousand million", [] { return N(1000000000); }, "1000000000"},
    {"0.5", [] { return D(0.5); }, "0.5"},
};

// Fractions: decimal digits are exact, Divide truncates after `places`.
constexpr Case kFractionCases[] = {
    {"0.1 + 0.2", [] { return Add(D(0.1), D(0.2)); }, "0.3"},
    {"1.5 + -1.5", [] { return Add(D(1.5), D(-1.5)); }, "0"},
    {"0.5 × 2 leaves no point", [] { return Multiply(D(0.5), N(2)); }, "1"},
    {"1.25 × 1.25", [] { return Multiply(D(1.25), D(1.25)); }, "1.5625"},
    {"-0.5 × 0.5", [] { return Multiply(D(-0.5), D(0.5)); }, "-0.25"},
    {"1.5 + 1000000000", [] { return Add(D(1.5), N(1000000000)); }, "1000000001.5"},
    {"123.456 - 0.456", [] { return Add(D(123.456), D(-0.456)); }, "123"},
    {"1 / 8, 2 places truncates", [] { return Divide(N(1), N(8), 2); }, "0.12"},
    {"2 / 3, 9 places", [] { return Divide(N(2), N(3), 9); }, "0.666666666"},
    {"2 / 3, 10 places", [] { return Divide(N(2), N(3), 10); }, "0.6666666666"},
    {"2 / 3, 20 places", [] { return Divide(N(2), N(3), 20); }, "0.66666666666666666666"},
    {"-1 / 3, 2 places", [] { return Divide(N(-1), N(3), 2); }, "-0.33"},
    {"1 / 4, 1 place", [] { return Divide(N(1), N(4), 1); }, "0.2"},
    {"1 / 3, 0 places", [] { return Divide(N(1), N(3), 0); }, "0"},
    {"-1 / 3, 0 places is zero, not minus zero", [] { return Divide(N(-1), N(3), 0); }, "0"},
    {"1.5 / 0.5", [] { return Divide(D(1.5), D(0.5), 0); }, "3"},
    {"0.5 / 3, 0 places", [] { return Divide(D(0.5), N(3), 0); }, "0"},
    {"7 / 0.25, 3 places", [] { return Divide(N(7), D(0.25), 3); }, "28"},
    {"1 / 10^12, 15 places", [] { return Divide(N(1), Pow10(12), 15); }, "0.000000000001"},
    {"1 / 10^12, 11 places", [] { return Divide(N(1), Pow10(12), 11); }, "0"},
    {"1 / 3, -1 places", [] { return Divide(N(1), N(3), -1); }, "0"},
    {"0 / 3", [] { return Divide(N(0), N(3), 4); }, "0"},
    {"5.5 mod 2", [] { return Modulo(D(5.5), N(2)); }, "1.5"},
    {"-5.5 mod 2", [] { return Modulo(D(-5.5), N(2)); }, "-1.5"},
    {"7 mod 0.5", [] { return Modulo(N(7), D(0.5)); }, "0"},
    {"7.25 mod 0.5", [] { return Modulo(D(7.25), D(0.5)); }, "0.25"},
};

// Signs: quotients truncate toward zero, remainders take the dividend's sign.
constexpr Case kSignCases[] = {
    {"-7 / 2", [] { return Divide(N(-7), N(2), 0); }, "-3"},
    {"7 / -2", [] { return Divide(N(7), N(-2), 0); }, "-3"},
    {"-7 / -2", [] { return Divide(N(-7), N(-2), 0); }, "3"},
    {"-7 mod 2", [] { return Modulo(N(-7), N(2)); }, "-1"},
    {"7 mod -2", [] { return Modulo(N(7), N(-2)); }, "1"},
    {"-6 mod 3 is zero, not minus zero", [] { return Modulo(N(-6), N(3)); }, "0"},
    {"-3 + 7", [] { return Add(N(-3), N(7)); }, "4"},
    {"-3 + -7", [] { return Add(N(-3), N(-7)); }, "-10"},
    {"3 × -7", [] { return Multiply(N(3), N(-7)); }, "-21"},
    {"-3 × 0", [] { return Multiply(N(-3), N(0)); }, "0"},
    {"int min", [] { return N(INT_MIN); }, "-2147483648"},
    {"long long min", [] { return N(LLONG_MIN); }, "-9223372036854775808"},
    {"long long max", [] { return N(LLONG_MAX); }, "9223372036854775807"},
};

// Carries and borrows across limbs.
constexpr Case kCarryCases[] = {
    {"10^18 - 1 + 1", [] { return Add(Add(Pow10(18), N(-1)), N(1)); }, "1000000000000000000"},
    {"10^18 - 1", [] { return Add(Pow10(18), N(-1)); }, "999999999999999999"},
    {"1 - 10^18", [] { return Add(N(1), Neg(Pow10(18))); }, "-999999999999999999"},
    {"10^27 / 10^9", [] { return Divide(Pow10(27), Pow10(9), 0); }, "1000000000000000000"},
    {"10^27 mod (10^18 + 1)", [] { return Modulo(Pow10(27), Add(Pow10(18), N(1))); }, "999999999000000001"},
    {"(10^18 + 1) × (10^18 - 1)", [] { return Multiply(Add(Pow10(18), N(1)), Add(Pow10(18), N(-1))); },
     "999999999999999999999999999999999999"},
    {"10^40 / (10^20 - 1)", [] { return Divide(Pow10(40), Add(Pow10(20), N(-1)), 0); },
     "100000000000000000001"},
};

void RunCases(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->what);
    EXPECT_EQ(ToDecimalText(c->compute()), c->want);
  }
}

TEST(BigNumber, ListedCases) { RunCases(std::begin(kListedCases), std::end(kListedCases)); }
TEST(BigNumber, Fractions) { RunCases(std::begin(kFractionCases), std::end(kFractionCases)); }
TEST(BigNumber, Signs) { RunCases(std::begin(kSignCases), std::end(kSignCases)); }
TEST(BigNumber, CarriesAcrossLimbs) { RunCases(std::begin(kCarryCases), std::end(kCarryCases)); }

TEST(BigNumber, NewValueIsZero) {
  BigNumber n;
  EXPECT_TRUE(n.IsZero());
  EXPECT_FALSE(n.IsNegative());
  EXPECT_EQ(ToDecimalText(n), "0");
  EXPECT_EQ(ToInt32(n), 0);
}

struct DoubleCase {
  double input;
  bool taken;
  std::string_view want;
};

// FromNumber reads the "%.13g" text; an exponent form is refused.
constexpr DoubleCase kDoubleCases[] = {
    {0.5, true, "0.5"},
    {-0.5, true, "-0.5"},
    {0.1, true, "0.1"},
    {123.456, true, "123.456"},
    {0.0001, true, "0.0001"},
    {9999999999999.0, true, "9999999999999"},
    {1234567890123.4, true, "1234567890123"},  // 13 significant digits
    {1.0 / 3.0, true, "0.3333333333333"},
    {0.0, true, "0"},
    {1e20, false, "0"},
    {1e13, false, "0"},    // "1e+13"
    {0.00001, false, "0"},  // "1e-05"
    {-0.0, false, "0"},    // "-0": a minus sign must be followed by 1-9 or "0."
    {std::numeric_limits<double>::infinity(), false, "0"},
    {std::numeric_limits<double>::quiet_NaN(), false, "0"},
};

TEST(BigNumber, FromDouble) {
  for (const auto& c : kDoubleCases) {
    SCOPED_TRACE(c.input);
    BigNumber n;
    n.FromNumber(7);  // a refusal must not leave the old value
    EXPECT_EQ(n.FromNumber(c.input), c.taken);
    EXPECT_EQ(ToDecimalText(n), c.want);
  }
}

TEST(BigNumber, FromOtherKinds) {
  BigNumber n;
  EXPECT_TRUE(n.FromNumber(0.1f));  // widened to double first
  EXPECT_EQ(ToDecimalText(n), "0.1000000014901");
  EXPECT_TRUE(n.FromNumber(static_cast<short>(-32768)));
  EXPECT_EQ(ToDecimalText(n), "-32768");
  EXPECT_TRUE(n.FromNumber(static_cast<unsigned char>(255)));
  EXPECT_EQ(ToDecimalText(n), "255");
  EXPECT_TRUE(n.FromNumber(-5L));
  EXPECT_EQ(ToDecimalText(n), "-5");
  EXPECT_FALSE(n.FromNumber(5u));
  EXPECT_TRUE(n.IsZero());
  n.FromNumber(3);
  EXPECT_FALSE(n.FromNumber(true));
  EXPECT_TRUE(n.IsZero());
}

struct Int32Case {
  const char* what;
  BigNumber (*compute)();
  int want;
};

constexpr Int32Case kInt32Cases[] = {
    {"int max", [] { return N(INT_MAX); }, INT_MAX},
    {"int min", [] { return N(INT_MIN); }, INT_MIN},
    {"int max + 1", [] { return Add(N(INT_MAX), N(1)); }, 0},
    {"int min - 1", [] { return Add(N(INT_MIN), N(-1)); }, 0},
    {"10^18", [] { return Pow10(18); }, 0},
    {"a fraction", [] { return D(2.5); }, 0},
    {"a fraction that cancels", [] { return Add(D(2.5), D(0.5)); }, 3},
    {"-123456789", [] { return N(-123456789); }, -123456789},
};

TEST(BigNumber, ToInt32) {
  for (const auto& c : kInt32Cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ToInt32(c.compute()), c.want);
  }
}

struct GreaterCase {
  double a, b;
  bool want;
};

constexpr GreaterCase kGreaterCases[] = {
    {3, -5, true},   {-5, 3, false},    {3, 3, false},      {0, -1, true},
    {-1, 0, false},  {0.5, 0.25, true}, {0.25, 0.5, false}, {1, 0.999, true},
    {-5, -3, false}, {-3, -5, true},    {-0.5, -0.25, false}, {1000000000, 999999999.5, true},
};

TEST(BigNumber, IsGreater) {
  for (const auto& c : kGreaterCases) {
    SCOPED_TRACE(testing::Message() << c.a << " > " << c.b);
    EXPECT_EQ(IsGreater(D(c.a), D(c.b)), c.want);
  }
}

TEST(BigNumber, OperandsAreLeftUnchanged) {
  const BigNumber a = N(123456789), b = N(-1000);
  const BigNumber a0 = a, b0 = b;
  Add(a, b);
  Multiply(a, b);
  Divide(a, b, 3);
  Modulo(a, b);
  EXPECT_EQ(a, a0);
  EXPECT_EQ(b, b0);
}

// Machine arithmetic is the reference wherever the values fit.
TEST(BigNumber, MatchesLongLongArithmetic) {
  std::mt19937_64 rng(12345);
  auto pick = [&]() -> long long {
    switch (rng() % 4) {
      case 0: return static_cast<long long>(rng() % 2001) - 1000;
      case 1: return static_cast<long long>(rng() % 4000000001ULL) - 2000000000;
      case 2: return static_cast<long long>(rng() % 2000000001ULL) * 1000000000LL / 1000 * (rng() % 2 ? 1 : -1);
      default: return static_cast<long long>(rng() >> 33) * (rng() % 2 ? 1 : -1);
    }
  };
  for (int i = 0; i < 20000; ++i) {
    const long long a = pick(), b = pick();
    SCOPED_TRACE(testing::Message() << a << ", " << b);
    const BigNumber x = N(a), y = N(b);
    ASSERT_EQ(ToDecimalText(Add(x, y)), std::to_string(a + b));
    ASSERT_EQ(IsGreater(x, y), a > b);
    if (std::abs(a) < (1LL << 31) && std::abs(b) < (1LL << 31)) {
      ASSERT_EQ(ToDecimalText(Multiply(x, y)), std::to_string(a * b));
    }
    if (b != 0) {
      ASSERT_EQ(ToDecimalText(Divide(x, y, 0)), std::to_string(a / b));
      ASSERT_EQ(ToDecimalText(Modulo(x, y)), std::to_string(a % b));
    }
  }
}

// A number from limbs of nine digits, most significant first.
BigNumber FromLimbs(const std::vector<std::uint32_t>& limbs) {
  BigNumber r, base = N(1000000000);
  for (auto limb : limbs) r = Add(Multiply(r, base), N(limb));
  return r;
}

// Long division checked by its defining property: a = q × b + r, 0 ≤ r < b.
// Limbs of 0, 1, base/2 and base−1 make quotient limb corrections, which are
// rare with random limbs, happen often.
TEST(BigNumber, LongDivisionSatisfiesQuotientRemainderIdentity) {
  std::mt19937 rng(777);
  const std::uint32_t special[] = {0, 1, 499999999, 500000000, 999999998, 999999999};
  auto limb = [&] {
    return rng() % 2 ? special[rng() % std::size(special)] : static_cast<std::uint32_t>(rng() % 1000000000);
  };
  for (int i = 0; i < 3000; ++i) {
    std::vector<std::uint32_t> la(1 + rng() % 12), lb(1 + rng() % 6);
    for (auto& l : la) l = limb();
    for (auto& l : lb) l = limb();
    lb[0] = std::max<std::uint32_t>(lb[0], 1);
    const BigNumber a = FromLimbs(la), b = FromLimbs(lb);
    SCOPED_TRACE(ToDecimalText(a) + " / " + ToDecimalText(b));
    const BigNumber q = Divide(a, b, 0), r = Modulo(a, b);
    ASSERT_EQ(Add(Multiply(q, b), r), a);
    ASSERT_FALSE(r.IsNegative());
    ASSERT_TRUE(IsGreater(b, r));
  }
}

// Division by one limb runs several limbs a step: every length modulo 4,
// divisors from 1 to the largest limb, powers of two among them.
TEST(BigNumber, DivisionBySmallDivisorsAtEveryLength) {
  constexpr int kDivisors[] = {1, 2, 3, 7, 10, 36, 60466176, 100000000, 536870912, 999999999};
  std::mt19937 rng(99);
  for (int d : kDivisors) {
    for (std::size_t length = 1; length <= 13; ++length) {
      for (int variant = 0; variant < 3; ++variant) {
        std::vector<std::uint32_t> limbs(length);
        for (auto& l : limbs) l = variant == 0 ? 999999999 : static_cast<std::uint32_t>(rng() % 1000000000);
        limbs[0] = std::max<std::uint32_t>(limbs[0], 1);
        const BigNumber a = FromLimbs(limbs), b = N(d);
        SCOPED_TRACE(testing::Message() << ToDecimalText(a) << " / " << d);
        const BigNumber q = Divide(a, b, 0), r = Modulo(a, b);
        ASSERT_EQ(Add(Multiply(q, b), r), a);
        ASSERT_FALSE(r.IsNegative());
        ASSERT_TRUE(IsGreater(b, r));
      }
    }
  }
}

// Long operands take the split (Karatsuba) multiplication; the reference is
// the sum of the products with each nine-digit limb, Horner fashion, which
// only multiplies by small numbers.
TEST(BigNumber, LongMultiplicationMatchesLimbByLimbProducts) {
  std::mt19937 rng(4242);
  const BigNumber base = N(1000000000);
  struct Sizes {
    std::size_t a, b;
  };
  constexpr Sizes kSizes[] = {{39, 39}, {40, 40}, {41, 40}, {80, 80}, {81, 79}, {200, 200},
                              {333, 41}, {500, 60}, {500, 250}, {257, 256}, {40, 1000}};
  for (const auto& size : kSizes) {
    SCOPED_TRACE(testing::Message() << size.a << " x " << size.b << " limbs");
    std::vector<std::uint32_t> la(size.a), lb(size.b);
    for (auto& l : la) l = rng() % 3 ? rng() % 1000000000 : 999999999;
    for (auto& l : lb) l = rng() % 3 ? rng() % 1000000000 : 999999999;
    la[0] = lb[0] = 999999999;
    const BigNumber a = FromLimbs(la), b = FromLimbs(lb);
    BigNumber want;
    for (auto limb : lb) want = Add(Multiply(want, base), Multiply(a, N(limb)));
    const BigNumber product = Multiply(a, b);
    ASSERT_EQ(product, want);
    // And long division undoes it.
    ASSERT_EQ(Divide(product, b, 0), a);
    ASSERT_TRUE(Modulo(product, b).IsZero());
    const BigNumber plus = Add(product, Add(b, N(-1)));
    ASSERT_EQ(Divide(plus, b, 0), a);
    ASSERT_EQ(Modulo(plus, b), Add(b, N(-1)));
  }
}

TEST(BigNumber, DecimalTextOfLongNumbers) {
  const BigNumber big = Add(Pow10(100), N(-1));
  EXPECT_EQ(ToDecimalText(big), std::string(100, '9'));
  EXPECT_EQ(ToDecimalText(Neg(big)), "-" + std::string(100, '9'));
  EXPECT_EQ(ToDecimalText(Pow10(45)), "1" + std::string(45, '0'));
  EXPECT_EQ(ToDecimalText(Divide(big, Pow10(50), 60)), std::string(50, '9') + "." + std::string(50, '9'));
}

// The radix page's road: accumulate digits, then divide repeatedly.
TEST(BigNumber, TwentyFiveNinesToBase36AndBack) {
  const std::string nines(25, '9');
  BigNumber v;
  for (char c : nines) v = Add(Multiply(v, N(10)), N(c - '0'));
  ASSERT_EQ(ToDecimalText(v), nines);
  std::string base36;
  const BigNumber b = N(36);
  for (BigNumber x = v; !x.IsZero(); x = Divide(x, b, 0))
    base36.insert(base36.begin(), "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[ToInt32(Modulo(x, b))]);
  EXPECT_EQ(base36, "198EXBVSHGPUNUK1R");
  BigNumber back;
  for (char c : base36) back = Add(Multiply(back, b), N(c <= '9' ? c - '0' : c - 'A' + 10));
  EXPECT_EQ(ToDecimalText(back), nines);
}

}  // namespace
}  // namespace yz
