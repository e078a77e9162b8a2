// Arithmetic operations on doubles and ints.
#pragma once

#include <cassert>
#include <cmath>
#include <concepts>

namespace yz {

// Divides `first` by each divisor in turn, keeping only the integer part
// (toward zero) after every division: IntDivide(7, 2) is 3, IntDivide(-7, 2)
// is −3. A zero divisor is a caller error: it asserts in debug builds and
// gives 0 in release builds.
template <std::convertible_to<double>... More>
double IntDivide(double first, double divisor, More... more) {
  double result = first;
  for (double d : {divisor, static_cast<double>(more)...}) {
    assert(d != 0 && "IntDivide: zero divisor");
    if (d == 0) return 0;
    result = std::trunc(result / d);
  }
  return result;
}

// C fmod of `first` by each divisor in turn. A zero divisor is a caller
// error: it asserts in debug builds and gives 0 in release builds.
template <std::convertible_to<double>... More>
double Remainder(double first, double divisor, More... more) {
  double result = first;
  for (double d : {divisor, static_cast<double>(more)...}) {
    assert(d != 0 && "Remainder: zero divisor");
    if (d == 0) return 0;
    result = std::fmod(result, d);
  }
  return result;
}

// Bitwise AND / OR of all arguments.
template <std::convertible_to<int>... More>
int BitAnd(int first, int second, More... more) {
  return ((first & second) & ... & static_cast<int>(more));
}
template <std::convertible_to<int>... More>
int BitOr(int first, int second, More... more) {
  return ((first | second) | ... | static_cast<int>(more));
}

// The largest integer not greater than `value`, after a value whose
// fractional part's magnitude exceeds 0.999999999999 is moved to the adjacent
// integer away from zero (so 2.9999999999999 gives 3, and −2.5 gives −3).
// NaN and values outside the int range give INT_MIN, the x86 conversion's
// "integer indefinite".
int FloorToInt(double value);

}  // namespace yz
