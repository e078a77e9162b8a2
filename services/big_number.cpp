#include "services/big_number.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <climits>
#include <cmath>
#include <new>

namespace yz {
namespace {

using Limbs = std::vector<std::uint32_t>;

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
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    std::uint64_t t = std::uint64_t{x[i]} * m + carry;
    carry = t / kBase;
    r[i] = static_cast<std::uint32_t>(t - carry * kBase);
  }
  r[x.size()] = static_cast<std::uint32_t>(carry);
  TrimTop(r);
  return r;
}

Limbs MultiplyMagnitude(const Limbs& x, const Limbs& y) {
  if (x.empty() || y.empty()) return {};
  if (y.size() == 1) return MultiplySmall(x, y[0]);
  if (x.size() == 1) return MultiplySmall(y, x[0]);
  Limbs r(x.size() + y.size(), 0);
  for (std::size_t i = 0; i < x.size(); ++i) {
    std::uint64_t carry = 0;
    const std::uint64_t xi = x[i];
    for (std::size_t j = 0; j < y.size(); ++j) {
      std::uint64_t t = xi * y[j] + r[i + j] + carry;
      carry = t / kBase;
      r[i + j] = static_cast<std::uint32_t>(t - carry * kBase);
    }
    r[i + y.size()] = static_cast<std::uint32_t>(carry);
  }
  TrimTop(r);
  return r;
}

// Quotient of x ÷ d for 0 < d < 10^9; the remainder goes to *rem.
Limbs DivideSmall(const Limbs& x, std::uint32_t d, std::uint32_t* rem) {
  Limbs q(x.size());
  std::uint64_t r = 0;
  for (std::size_t i = x.size(); i-- > 0;) {
    std::uint64_t cur = r * kBase + x[i];
    q[i] = static_cast<std::uint32_t>(cur / d);
    r = cur - std::uint64_t{q[i]} * d;
  }
  TrimTop(q);
  if (rem) *rem = static_cast<std::uint32_t>(r);
  return q;
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
    std::uint32_t r;
    Limbs q = DivideSmall(x, y[0], &r);
    if (quotient) *quotient = std::move(q);
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
    // u[j .. j+n] −= qhat × v.
    std::uint64_t carry = 0;
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < n; ++i) {
      std::uint64_t p = qhat * v[i] + carry;
      carry = p / kBase;
      std::int64_t t = std::int64_t{u[i + j]} - static_cast<std::int64_t>(p - carry * kBase) - borrow;
      borrow = t < 0;
      u[i + j] = static_cast<std::uint32_t>(t < 0 ? t + kBase : t);
    }
    std::int64_t t = std::int64_t{u[j + n]} - static_cast<std::int64_t>(carry) - borrow;
    if (t < 0) {
      // The estimate was one too large: add the divisor back once.
      --qhat;
      std::uint32_t c = 0;
      for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t s = u[i + j] + v[i] + c;
        c = s >= kBase;
        u[i + j] = c ? s - kBase : s;
      }
      t += c;
    }
    assert(t == 0 || (t > 0 && t < kBase));
    u[j + n] = static_cast<std::uint32_t>(t);
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
