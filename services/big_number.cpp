#include "services/big_number.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <climits>
#include <cmath>
#include <new>
#include <utility>

namespace yz {
namespace {

using Limbs = std::vector<std::uint32_t>;
using Uint128 = unsigned __int128;  // g++ and MinGW-w64 on x86-64

constexpr std::uint32_t kBase = 1000000000;  // 10^9, nine decimal digits a limb
constexpr int kDigits = 9;
constexpr std::uint32_t kPow10[kDigits + 1] = {1,      10,      100,      1000,      10000,
                                               100000, 1000000, 10000000, 100000000, 1000000000};

void TrimTop(Limbs& x) {
  while (!x.empty() && x.back() == 0) x.pop_back();
}

// -1, 0, 1 as |x| compares with |y|, both whole limb vectors without top zeros.
int CompareMagnitude(const Limbs& x, const Limbs& y) {
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  for (std::size_t i = x.size(); i-- > 0;)
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  return 0;
}

// x with `count` zero limbs put below it (x × 10^(9 × count)).
Limbs ShiftUp(const Limbs& x, std::size_t count) {
  if (x.empty() || count == 0) return x;
  Limbs r(count + x.size(), 0);
  std::copy(x.begin(), x.end(), r.begin() + static_cast<std::ptrdiff_t>(count));
  return r;
}

Limbs AddMagnitude(const Limbs& x, const Limbs& y) {
  const Limbs& lo = x.size() < y.size() ? x : y;
  const Limbs& hi = x.size() < y.size() ? y : x;
  Limbs r(hi.size() + 1);
  std::uint32_t carry = 0;
  std::size_t i = 0;
  for (; i < lo.size(); ++i) {
    std::uint32_t s = hi[i] + lo[i] + carry;
    carry = s >= kBase;
    r[i] = carry ? s - kBase : s;
  }
  for (; i < hi.size(); ++i) {
    std::uint32_t s = hi[i] + carry;
    carry = s >= kBase;
    r[i] = carry ? s - kBase : s;
  }
  r[i] = carry;
  TrimTop(r);
  return r;
}

// x − y for |x| ≥ |y|.
Limbs SubtractMagnitude(const Limbs& x, const Limbs& y) {
  Limbs r(x.size());
  std::uint32_t borrow = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    std::uint32_t sub = (i < y.size() ? y[i] : 0) + borrow;
    borrow = x[i] < sub;
    r[i] = borrow ? x[i] + kBase - sub : x[i] - sub;
  }
  assert(borrow == 0);
  TrimTop(r);
  return r;
}

Limbs MultiplySmall(const Limbs& x, std::uint32_t m) {
  if (x.empty() || m == 0) return {};
  Limbs r(x.size() + 1);
  // The products and their splits into limb and carry do not depend on one
  // another; only the small carry runs from limb to limb.
  std::uint32_t carry = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const std::uint64_t p = std::uint64_t{x[i]} * m;
    const std::uint32_t hi = static_cast<std::uint32_t>(p / kBase);
    std::uint32_t lo = static_cast<std::uint32_t>(p - std::uint64_t{hi} * kBase) + carry;
    const bool over = lo >= kBase;
    r[i] = over ? lo - kBase : lo;
    carry = hi + over;
  }
  r[x.size()] = carry;
  TrimTop(r);
  return r;
}

// Schoolbook multiplication by columns: each column's products are summed in
// a 128-bit accumulator and split into limb and carry once.
void MultiplyColumns(const std::uint32_t* x, std::size_t nx, const std::uint32_t* y, std::size_t ny,
                     std::uint32_t* r) {
  Uint128 carry = 0;
  for (std::size_t k = 0; k + 1 < nx + ny; ++k) {
    const std::size_t iBegin = k >= ny ? k - ny + 1 : 0;
    const std::size_t iEnd = std::min(k + 1, nx);
    std::uint64_t lo = 0, hi = 0;  // the column sum, 128 bits
    const std::uint32_t* yk = y + (k - iBegin);
    for (std::size_t i = iBegin; i < iEnd; ++i, --yk) {
      const std::uint64_t p = std::uint64_t{x[i]} * *yk;
      lo += p;
      hi += lo < p;
    }
    Uint128 acc = carry + ((Uint128{hi} << 64) | lo);
    carry = acc / kBase;
    r[k] = static_cast<std::uint32_t>(acc - carry * kBase);
  }
  r[nx + ny - 1] = static_cast<std::uint32_t>(carry);
}

// x + y into r (r has room for max(nx, ny) + 1 limbs); returns the limbs used.
std::size_t AddInto(const std::uint32_t* x, std::size_t nx, const std::uint32_t* y, std::size_t ny,
                    std::uint32_t* r) {
  if (nx < ny) {
    std::swap(x, y);
    std::swap(nx, ny);
  }
  std::uint32_t carry = 0;
  std::size_t i = 0;
  for (; i < ny; ++i) {
    std::uint32_t t = x[i] + y[i] + carry;
    carry = t >= kBase;
    r[i] = carry ? t - kBase : t;
  }
  for (; i < nx; ++i) {
    std::uint32_t t = x[i] + carry;
    carry = t >= kBase;
    r[i] = carry ? t - kBase : t;
  }
  r[nx] = carry;
  return nx + carry;
}

// r[0 .. n) −= y[0 .. ny); the result is known to be non-negative.
void SubtractInPlace(std::uint32_t* r, std::size_t n, const std::uint32_t* y, std::size_t ny) {
  std::uint32_t borrow = 0;
  for (std::size_t i = 0; i < n && (i < ny || borrow); ++i) {
    const std::uint32_t sub = (i < ny ? y[i] : 0) + borrow;
    borrow = r[i] < sub;
    r[i] = borrow ? r[i] + kBase - sub : r[i] - sub;
  }
  assert(borrow == 0);
}

// r[0 .. n) += y[0 .. ny); the sum is known to fit in n limbs.
void AddInPlace(std::uint32_t* r, std::size_t n, const std::uint32_t* y, std::size_t ny) {
  std::uint32_t carry = 0;
  for (std::size_t i = 0; i < n && (i < ny || carry); ++i) {
    const std::uint32_t t = r[i] + (i < ny ? y[i] : 0) + carry;
    carry = t >= kBase;
    r[i] = carry ? t - kBase : t;
  }
  assert(carry == 0);
}

constexpr std::size_t kKaratsubaThreshold = 40;  // limbs; below it the columns are faster

// r[0 .. nx+ny) = x × y, nx ≥ ny. Karatsuba above the threshold, splitting
// at half of the longer operand: x = x1·B^h + x0, y = y1·B^h + y0,
//   x·y = z2·B^2h + ((x0+x1)(y0+y1) − z0 − z2)·B^h + z0.
void MultiplyInto(const std::uint32_t* x, std::size_t nx, const std::uint32_t* y, std::size_t ny,
                  std::uint32_t* r) {
  if (nx < ny) {
    std::swap(x, y);
    std::swap(nx, ny);
  }
  if (ny < kKaratsubaThreshold) {
    MultiplyColumns(x, nx, y, ny, r);
    return;
  }
  const std::size_t h = (nx + 1) / 2;
  if (ny <= h) {
    // Unbalanced: multiply y by each half of x and add.
    std::fill(r, r + nx + ny, 0);
    Limbs low(h + ny);
    MultiplyInto(x, h, y, ny, low.data());
    std::copy(low.begin(), low.end(), r);
    Limbs high(nx - h + ny);
    MultiplyInto(x + h, nx - h, y, ny, high.data());
    AddInPlace(r + h, nx + ny - h, high.data(), high.size());
    return;
  }
  const std::uint32_t *x0 = x, *x1 = x + h, *y0 = y, *y1 = y + h;
  const std::size_t nx1 = nx - h, ny1 = ny - h;
  std::fill(r, r + nx + ny, 0);
  MultiplyInto(x0, h, y0, h, r);                // z0 at r[0 .. 2h)
  MultiplyInto(x1, nx1, y1, ny1, r + 2 * h);    // z2 at r[2h .. nx+ny)
  Limbs sx(h + 1), sy(h + 1);
  const std::size_t nsx = AddInto(x0, h, x1, nx1, sx.data());
  const std::size_t nsy = AddInto(y0, h, y1, ny1, sy.data());
  Limbs mid(nsx + nsy);
  MultiplyInto(sx.data(), nsx, sy.data(), nsy, mid.data());
  SubtractInPlace(mid.data(), mid.size(), r, 2 * h);
  SubtractInPlace(mid.data(), mid.size(), r + 2 * h, nx1 + ny1);
  std::size_t nmid = mid.size();
  while (nmid > 0 && mid[nmid - 1] == 0) --nmid;
  AddInPlace(r + h, nx + ny - h, mid.data(), nmid);
}

Limbs MultiplyMagnitude(const Limbs& x, const Limbs& y) {
  if (x.empty() || y.empty()) return {};
  if (y.size() == 1) return MultiplySmall(x, y[0]);
  if (x.size() == 1) return MultiplySmall(y, x[0]);
  Limbs r(x.size() + y.size());
  MultiplyInto(x.data(), x.size(), y.data(), y.size(), r.data());
  TrimTop(r);
  return r;
}

// Division by a fixed d below the base, with a multiply in place of the
// hardware divide: for n < 2^62, n / d = (n × m) >> (62 + l), where
// l = ⌈log2 d⌉ and m = ⌊2^(62+l) / d⌋ + 1 (Granlund and Montgomery,
// "Division by invariant integers using multiplication", theorem 4.2).
class SmallDivisor {
 public:
  explicit SmallDivisor(std::uint32_t d) : d_(d) {
    int l = 0;
    while ((std::uint64_t{1} << l) < d) ++l;
    shift_ = 62 + l;
    m_ = static_cast<std::uint64_t>((Uint128{1} << shift_) / d) + 1;
    const std::uint64_t baseMod = kBase % d;
    base2Mod_ = baseMod * baseMod % d;
    base4Mod_ = base2Mod_ * base2Mod_ % d;
  }
  std::uint64_t Quotient(std::uint64_t n) const { return static_cast<std::uint64_t>((Uint128{n} * m_) >> shift_); }
  std::uint64_t Remainder(std::uint64_t n) const { return n - Quotient(n) * d_; }
  std::uint64_t d() const { return d_; }
  std::uint64_t base2Mod() const { return base2Mod_; }  // 10^18 mod d
  std::uint64_t base4Mod() const { return base4Mod_; }  // 10^36 mod d

 private:
  std::uint64_t d_;
  std::uint64_t m_;
  int shift_;
  std::uint64_t base2Mod_, base4Mod_;
};

// Quotient of x ÷ d for 0 < d < 10^9; the remainder goes to *rem.
//
// The remainder is the serial chain of long division. It runs two limbs a
// step, r' = (r · (10^18 mod d) + hi·10^9 + lo) mod d, so each step waits on
// one reduction, while the two quotient limbs, which nothing later waits
// for, are worked out beside it.
Limbs DivideSmall(const Limbs& x, std::uint32_t d, std::uint32_t* rem) {
  const SmallDivisor div(d);
  Limbs q(x.size());
  std::size_t i = x.size();
  std::uint64_t r = 0;
  if (i % 2 == 1) {
    --i;
    q[i] = static_cast<std::uint32_t>(div.Quotient(x[i]));
    r = x[i] - q[i] * div.d();
  }
  while (i >= 2) {
    const std::uint64_t hi = x[i - 1], lo = x[i - 2];
    const std::uint64_t c1 = r * kBase + hi;
    const std::uint64_t q1 = div.Quotient(c1);
    const std::uint64_t c2 = (c1 - q1 * div.d()) * kBase + lo;
    q[i - 1] = static_cast<std::uint32_t>(q1);
    q[i - 2] = static_cast<std::uint32_t>(div.Quotient(c2));
    r = div.Remainder(r * div.base2Mod() + (hi * kBase + lo));
    i -= 2;
  }
  TrimTop(q);
  if (rem) *rem = static_cast<std::uint32_t>(r);
  return q;
}

// x mod d for 0 < d < 10^9, four limbs a step of the serial chain:
// r' = (r · (10^36 mod d) + (hi mod d) · (10^18 mod d) + lo) mod d, where hi
// and lo are the upper and lower limb pairs of the step.
std::uint32_t RemainderSmall(const Limbs& x, std::uint32_t d) {
  const SmallDivisor div(d);
  std::size_t i = x.size();
  std::uint64_t r = 0;
  while (i % 4 != 0) {
    --i;
    r = div.Remainder(r * kBase + x[i]);
  }
  while (i >= 4) {
    const std::uint64_t hi = std::uint64_t{x[i - 1]} * kBase + x[i - 2];
    const std::uint64_t lo = std::uint64_t{x[i - 3]} * kBase + x[i - 4];
    const std::uint64_t hiMod = div.Remainder(hi);
    r = div.Remainder(r * div.base4Mod() + hiMod * div.base2Mod() + lo);
    i -= 4;
  }
  return static_cast<std::uint32_t>(r);
}

// Quotient and remainder of whole magnitudes, x ÷ y with y non-zero: long
// division in base 10^9 (Knuth, TAOCP vol. 2, 4.3.1, algorithm D).
void DivideMagnitude(const Limbs& x, const Limbs& y, Limbs* quotient, Limbs* remainder) {
  assert(!y.empty());
  if (CompareMagnitude(x, y) < 0) {
    if (quotient) quotient->clear();
    if (remainder) *remainder = x;
    return;
  }
  if (y.size() == 1) {
    if (!quotient) {
      const std::uint32_t r = RemainderSmall(x, y[0]);
      if (remainder) *remainder = r ? Limbs{r} : Limbs{};
      return;
    }
    std::uint32_t r;
    *quotient = DivideSmall(x, y[0], &r);
    if (remainder) *remainder = r ? Limbs{r} : Limbs{};
    return;
  }
  const std::size_t n = y.size();
  const std::size_t m = x.size() - n;
  // Scale both so that the divisor's top limb is at least half the base;
  // then each estimated quotient limb is at most two too large.
  const std::uint32_t scale = kBase / (y.back() + 1);
  Limbs u = MultiplySmall(x, scale);
  Limbs v = MultiplySmall(y, scale);
  u.resize(x.size() + 1, 0);
  assert(v.size() == n && v.back() >= kBase / 2);
  Limbs q(m + 1, 0);
  const std::uint64_t vTop = v[n - 1], vNext = v[n - 2];
  for (std::size_t j = m + 1; j-- > 0;) {
    const std::uint64_t top = std::uint64_t{u[j + n]} * kBase + u[j + n - 1];
    std::uint64_t qhat = top / vTop;
    std::uint64_t rhat = top - qhat * vTop;
    while (qhat >= kBase || qhat * vNext > rhat * kBase + u[j + n - 2]) {
      --qhat;
      rhat += vTop;
      if (rhat >= kBase) break;
    }
    if (qhat == 0) continue;
    // u[j .. j+n] −= qhat × v. The products split into limb and carry on
    // their own; only the borrow (0, 1 or 2 base units plus the carry) runs
    // from limb to limb.
    std::uint32_t* uj = u.data() + j;
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint64_t p = qhat * v[i];
      const std::uint64_t hi = p / kBase;
      const std::int64_t lo = static_cast<std::int64_t>(p - hi * kBase);
      std::int64_t t = std::int64_t{uj[i]} - lo - static_cast<std::int64_t>(carry);
      const std::int64_t under = (t < 0) + (t < -std::int64_t{kBase});
      t += under * kBase;
      uj[i] = static_cast<std::uint32_t>(t);
      carry = hi + static_cast<std::uint64_t>(under);
    }
    std::int64_t t = std::int64_t{uj[n]} - static_cast<std::int64_t>(carry);
    if (t < 0) {
      // The estimate was one too large: add the divisor back once.
      --qhat;
      std::uint32_t c = 0;
      for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t s = uj[i] + v[i] + c;
        c = s >= kBase;
        uj[i] = c ? s - kBase : s;
      }
      t += c;
    }
    assert(t >= 0 && t < kBase);
    uj[n] = static_cast<std::uint32_t>(t);
    q[j] = static_cast<std::uint32_t>(qhat);
  }
  TrimTop(q);
  if (quotient) *quotient = std::move(q);
  if (remainder) {
    u.resize(n);
    TrimTop(u);
    *remainder = DivideSmall(u, scale, nullptr);
  }
}

}  // namespace

// The operations reach the representation through this one friend.
struct BigNumberOps {
  static BigNumber Make(Limbs limbs, std::int32_t frac, bool negative) {
    BigNumber r;
    TrimTop(limbs);
    std::size_t low = 0;
    while (frac > 0 && low < limbs.size() && limbs[low] == 0) {
      ++low;
      --frac;
    }
    if (low > 0) limbs.erase(limbs.begin(), limbs.begin() + static_cast<std::ptrdiff_t>(low));
    if (limbs.empty()) return r;
    r.limbs_ = std::move(limbs);
    r.fracLimbs_ = frac;
    r.negative_ = negative;
    return r;
  }

  static const Limbs& LimbsOf(const BigNumber& a) { return a.limbs_; }
  static std::int32_t Frac(const BigNumber& a) { return a.fracLimbs_; }

  // Reads the decimal text that FromNumber produces:
  //   text   = digit rest | "-" digit1-9 rest | "-0." char rest
  //   rest   = { digit | "." }   with at most one "." in the whole text
  // Anything else (a letter, an exponent, a second point, a leading point)
  // is refused.
  static bool Parse(std::string_view s, BigNumber* out) {
    *out = BigNumber();
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    bool negative = false;
    std::size_t i = 0;
    if (s.empty()) return false;
    if (s[0] == '-') {
      negative = true;
      bool ok = (s.size() >= 2 && s[1] >= '1' && s[1] <= '9') ||
                (s.size() >= 4 && s[1] == '0' && s[2] == '.');
      if (!ok) return false;
      i = 1;
    } else if (!isDigit(s[0])) {
      return false;
    }
    std::string_view whole, fraction;
    std::size_t point = s.find('.', i);
    whole = s.substr(i, point == std::string_view::npos ? std::string_view::npos : point - i);
    if (point != std::string_view::npos) fraction = s.substr(point + 1);
    if (!std::all_of(whole.begin(), whole.end(), isDigit)) return false;
    if (!std::all_of(fraction.begin(), fraction.end(), isDigit)) return false;

    const std::size_t fracLimbs = (fraction.size() + kDigits - 1) / kDigits;
    Limbs limbs;
    limbs.reserve(fracLimbs + whole.size() / kDigits + 1);
    // Fraction limbs, lowest first; the last one is padded with zeros.
    for (std::size_t k = fracLimbs; k-- > 0;) {
      std::uint32_t limb = 0;
      for (std::size_t d = 0; d < static_cast<std::size_t>(kDigits); ++d) {
        std::size_t pos = k * kDigits + d;
        limb = limb * 10 + (pos < fraction.size() ? static_cast<std::uint32_t>(fraction[pos] - '0') : 0);
      }
      limbs.push_back(limb);
    }
    for (std::size_t end = whole.size(); end > 0;) {
      std::size_t begin = end >= static_cast<std::size_t>(kDigits) ? end - kDigits : 0;
      std::uint32_t limb = 0;
      for (std::size_t p = begin; p < end; ++p) limb = limb * 10 + static_cast<std::uint32_t>(whole[p] - '0');
      limbs.push_back(limb);
      end = begin;
    }
    *out = Make(std::move(limbs), static_cast<std::int32_t>(fracLimbs), negative);
    return true;
  }

  // a and b as whole magnitudes over a common number of fraction limbs.
  static std::int32_t Align(const BigNumber& a, const BigNumber& b, Limbs* x, Limbs* y) {
    const std::int32_t frac = std::max(a.fracLimbs_, b.fracLimbs_);
    *x = ShiftUp(a.limbs_, static_cast<std::size_t>(frac - a.fracLimbs_));
    *y = ShiftUp(b.limbs_, static_cast<std::size_t>(frac - b.fracLimbs_));
    return frac;
  }

  static BigNumber Add(const BigNumber& a, const BigNumber& b) {
    if (a.IsZero()) return b;
    if (b.IsZero()) return a;
    Limbs x, y;
    const std::int32_t frac = Align(a, b, &x, &y);
    if (a.negative_ == b.negative_) return Make(AddMagnitude(x, y), frac, a.negative_);
    int cmp = CompareMagnitude(x, y);
    if (cmp == 0) return BigNumber();
    if (cmp > 0) return Make(SubtractMagnitude(x, y), frac, a.negative_);
    return Make(SubtractMagnitude(y, x), frac, b.negative_);
  }

  static BigNumber Multiply(const BigNumber& a, const BigNumber& b) {
    if (a.IsZero() || b.IsZero()) return BigNumber();
    return Make(MultiplyMagnitude(a.limbs_, b.limbs_), a.fracLimbs_ + b.fracLimbs_,
                a.negative_ != b.negative_);
  }

  static BigNumber Divide(const BigNumber& a, const BigNumber& b, int places) {
    if (places < 0 || a.IsZero() || b.IsZero()) return BigNumber();
    // The quotient is computed with `frac` limbs behind the point:
    // q = A × 10^(9 × shift) ÷ B, where a = A × 10^(−9 × fa), b = B × 10^(−9 × fb).
    const std::int64_t frac = (std::int64_t{places} + kDigits - 1) / kDigits;
    const std::int64_t shift = frac + b.fracLimbs_ - a.fracLimbs_;
    Limbs q;
    if (shift == 0) {
      DivideMagnitude(a.limbs_, b.limbs_, &q, nullptr);
    } else if (shift > 0) {
      DivideMagnitude(ShiftUp(a.limbs_, static_cast<std::size_t>(shift)), b.limbs_, &q, nullptr);
    } else {
      DivideMagnitude(a.limbs_, ShiftUp(b.limbs_, static_cast<std::size_t>(-shift)), &q, nullptr);
    }
    // Keep exactly `places` digits: drop the surplus digits of the lowest limb.
    const int surplus = static_cast<int>(frac * kDigits - places);
    if (surplus > 0 && !q.empty()) q[0] -= q[0] % kPow10[surplus];
    return Make(std::move(q), static_cast<std::int32_t>(frac), a.negative_ != b.negative_);
  }

  static BigNumber Modulo(const BigNumber& a, const BigNumber& b) {
    if (b.IsZero() || a.IsZero()) return a;
    if (a.fracLimbs_ == 0 && b.fracLimbs_ == 0) {
      Limbs r;
      DivideMagnitude(a.limbs_, b.limbs_, nullptr, &r);
      return Make(std::move(r), 0, a.negative_);
    }
    BigNumber product = Multiply(Divide(a, b, 0), b);
    product.negative_ = !product.negative_ && !product.IsZero();
    return Add(a, product);
  }

  static bool IsGreater(const BigNumber& a, const BigNumber& b) {
    if (a.negative_ != b.negative_) return b.negative_;
    Limbs x, y;
    Align(a, b, &x, &y);
    int cmp = CompareMagnitude(x, y);
    return a.negative_ ? cmp < 0 : cmp > 0;
  }

  static AnsiText ToDecimalText(const BigNumber& a) {
    AnsiText out;
    if (a.negative_) out.push_back('-');
    const std::size_t frac = static_cast<std::size_t>(a.fracLimbs_);
    char digits[kDigits];
    auto put = [&](std::uint32_t limb, bool pad) {
      int n = 0;
      do {
        digits[n++] = static_cast<char>('0' + limb % 10);
        limb /= 10;
      } while (limb != 0);
      if (pad)
        while (n < kDigits) digits[n++] = '0';
      while (n > 0) out.push_back(digits[--n]);
    };
    if (a.limbs_.size() <= frac) {
      out.push_back('0');
    } else {
      put(a.limbs_.back(), false);
      for (std::size_t i = a.limbs_.size() - 1; i-- > frac;) put(a.limbs_[i], true);
    }
    if (frac > 0) {
      out.push_back('.');
      for (std::size_t i = frac; i-- > 0;) put(i < a.limbs_.size() ? a.limbs_[i] : 0, true);
      while (out.back() == '0') out.pop_back();  // the lowest limb is non-zero
    }
    return out;
  }

  static int ToInt32(const BigNumber& a) {
    if (a.fracLimbs_ != 0 || a.limbs_.size() > 2) return 0;
    std::int64_t m = 0;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) m = m * kBase + a.limbs_[i];
    if (a.negative_) m = -m;
    if (m < INT_MIN || m > INT_MAX) return 0;
    return static_cast<int>(m);
  }
};

namespace {

// Runs an operation; a failed allocation gives zero.
template <class Result, class Fn>
Result Guarded(Result failed, Fn fn) {
  try {
    return fn();
  } catch (const std::bad_alloc&) {
    return failed;
  }
}

}  // namespace

bool BigNumber::FromNumber(int v) {
  *this = BigNumber();
  std::uint64_t m = v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(static_cast<std::int64_t>(v))
                          : static_cast<std::uint64_t>(v);
  return Guarded(false, [&] {
    Limbs limbs;
    while (m != 0) {
      limbs.push_back(static_cast<std::uint32_t>(m % kBase));
      m /= kBase;
    }
    *this = BigNumberOps::Make(std::move(limbs), 0, v < 0);
    return true;
  });
}

bool BigNumber::FromNumber(long long v) {
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return Guarded(false, [&] { return BigNumberOps::Parse(std::string_view(buf, res.ptr - buf), this); });
}

bool BigNumber::FromNumber(double v) {
  *this = BigNumber();
  // std::to_chars in general format with precision 13 writes what printf's
  // "%.13g" writes in the C locale, whatever the current locale is.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 13);
  if (res.ec != std::errc()) return false;
  return Guarded(false, [&] { return BigNumberOps::Parse(std::string_view(buf, res.ptr - buf), this); });
}

BigNumber Add(const BigNumber& a, const BigNumber& b) {
  return Guarded(BigNumber(), [&] { return BigNumberOps::Add(a, b); });
}

BigNumber Multiply(const BigNumber& a, const BigNumber& b) {
  return Guarded(BigNumber(), [&] { return BigNumberOps::Multiply(a, b); });
}

BigNumber Divide(const BigNumber& a, const BigNumber& b, int places) {
  return Guarded(BigNumber(), [&] { return BigNumberOps::Divide(a, b, places); });
}

BigNumber Modulo(const BigNumber& a, const BigNumber& b) {
  return Guarded(BigNumber(), [&] { return BigNumberOps::Modulo(a, b); });
}

bool IsGreater(const BigNumber& a, const BigNumber& b) {
  return Guarded(false, [&] { return BigNumberOps::IsGreater(a, b); });
}

AnsiText ToDecimalText(const BigNumber& a) {
  return Guarded(AnsiText(), [&] { return BigNumberOps::ToDecimalText(a); });
}

int ToInt32(const BigNumber& a) { return BigNumberOps::ToInt32(a); }

}  // namespace yz
