#include "services/arithmetic.h"

#include <climits>

namespace yz {

int FloorToInt(double value) {
  const double whole = std::trunc(value);
  if (std::fabs(value - whole) > 0.999999999999) value = whole + (value < 0 ? -1 : 1);
  const double floored = std::floor(value);
  if (!(floored >= INT_MIN && floored <= INT_MAX)) return INT_MIN;
  return static_cast<int>(floored);
}

}  // namespace yz
