// BigNumber: a signed decimal number of any length, exact.
//
// A value is a sign and a magnitude with any number of decimal digits before
// and behind the point. It is created as zero, copied on assignment, and only
// FromNumber changes a value in place; every other operation returns a new
// value and leaves its operands unchanged. No operation throws or shows a
// message: a refused reading, a division by zero and a failed allocation give
// zero.
//
// The magnitude is held in limbs of nine decimal digits (base 10^9), least
// significant first, with a count of limbs behind the point. Multiply, Divide
// and Modulo by an operand below 10^9 without fraction run in one pass over
// the other operand, so converting a long number between radixes can take
// several digits per step: accumulate value × b^k + chunk, then divide
// repeatedly by b^k, with b^k below 10^9.
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>
#include <vector>

#include "services/text_types.h"

namespace yz {

class BigNumber {
 public:
  BigNumber() = default;

  // Replaces the value with the number; returns whether it was taken.
  // int exactly (the most negative included); short and unsigned char as int;
  // long long through its decimal text; double and float (widened) through
  // their "%.13g" text. A text in exponent form (1e20 gives "1e+20"),
  // infinity, NaN and -0 are refused: the value becomes zero and the result is
  // false.
  bool FromNumber(int v);
  bool FromNumber(long long v);
  bool FromNumber(double v);
  bool FromNumber(float v) { return FromNumber(static_cast<double>(v)); }
  bool FromNumber(short v) { return FromNumber(static_cast<int>(v)); }
  bool FromNumber(unsigned char v) { return FromNumber(static_cast<int>(v)); }
  // `long` is an int or a long long, by its width. Any other kind of argument
  // (unsigned and bool among them) is refused like an exponent text.
  template <class T>
  bool FromNumber(T v) {
    if constexpr (std::is_same_v<T, long>) {
      if constexpr (sizeof(long) == sizeof(int)) return FromNumber(static_cast<int>(v));
      else return FromNumber(static_cast<long long>(v));
    } else {
      *this = BigNumber();
      return false;
    }
  }

  bool IsZero() const { return limbs_.empty(); }
  bool IsNegative() const { return negative_; }

  friend bool operator==(const BigNumber&, const BigNumber&) = default;

 private:
  friend struct BigNumberOps;

  // value = (-1 if negative_) × Σ limbs_[i] × 10^(9 × (i − fracLimbs_)).
  // Normalised: no zero limb at the top, no zero limb at the bottom while
  // fracLimbs_ > 0, and zero is empty and not negative. limbs_.size() may be
  // below fracLimbs_ (0.000000000001 is {1000}, 2 limbs behind the point).
  std::vector<std::uint32_t> limbs_;
  std::int32_t fracLimbs_ = 0;
  bool negative_ = false;
};

// a + b, exact.
BigNumber Add(const BigNumber& a, const BigNumber& b);

// a × b, exact.
BigNumber Multiply(const BigNumber& a, const BigNumber& b);

// a ÷ b truncated toward zero after exactly `places` digits behind the point.
// For whole operands and places 0 this is the integer quotient. places < 0,
// a zero dividend and a zero divisor give zero.
BigNumber Divide(const BigNumber& a, const BigNumber& b, int places);

// a − trunc(a ÷ b) × b, with trunc the quotient of Divide with 0 places; the
// result has the sign of a (or is zero). b zero gives a.
BigNumber Modulo(const BigNumber& a, const BigNumber& b);

// a > b, for operands of any signs.
bool IsGreater(const BigNumber& a, const BigNumber& b);

// "-" when negative, the integer digits without leading zeros ("0" for none),
// then, when there is a fraction, "." and its digits without trailing zeros.
AnsiText ToDecimalText(const BigNumber& a);

// The value when it is whole and within the int range, else 0.
int ToInt32(const BigNumber& a);

}  // namespace yz
