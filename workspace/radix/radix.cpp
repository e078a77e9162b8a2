#include "workspace/radix/radix.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "services/big_number.h"

namespace yz::radix {
namespace {

constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Every byte as its two hexadecimal digits.
constexpr auto kHexPairs = [] {
  std::array<std::array<char, 2>, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = {kDigits[b >> 4], kDigits[b & 15]};
  return t;
}();

// The value of each byte as a digit of any base; -1 for a byte that is none.
constexpr auto kDigitValues = [] {
  std::array<int8_t, 256> t{};
  t.fill(-1);
  for (int v = 0; v < 36; ++v) {
    t[static_cast<unsigned char>(kDigits[v])] = static_cast<int8_t>(v);
    if (v >= 10) t[static_cast<unsigned char>(kDigits[v] - 'A' + 'a')] = static_cast<int8_t>(v);
  }
  return t;
}();

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The largest power of `base` below 10^9 (BigNumber's limb), and its
// exponent: the number of digits taken in one step.
struct Step {
  int digits;
  uint32_t power;
};

Step StepOf(int base) {
  Step s{0, 1};
  while (uint64_t{s.power} * static_cast<uint64_t>(base) < 1000000000u) {
    s.power *= static_cast<uint32_t>(base);
    ++s.digits;
  }
  return s;
}

BigNumber Small(uint32_t v) {
  BigNumber n;
  n.FromNumber(static_cast<int>(v));
  return n;
}

std::string InvalidNumber(std::string_view number, std::size_t bad, std::size_t offset, int base) {
  constexpr std::size_t kWhole = 64, kShown = 32;
  std::string shown;
  if (number.size() <= kWhole) {
    shown = number;
  } else {
    std::size_t cut = 0;
    while (cut < kShown) cut += static_cast<unsigned char>(number[cut]) >= 0x81 ? 2 : 1;
    shown = std::string(number.substr(0, cut)) + "…";
  }
  std::string message = "参数错误-" + shown + "不是一个有效的" + std::to_string(base) + "进制数！";
  if (number.size() > kWhole) {
    std::size_t len = static_cast<unsigned char>(number[bad]) >= 0x81 && bad + 1 < number.size() ? 2 : 1;
    message += "（第" + std::to_string(offset + bad + 1) + "个字节“" + std::string(number.substr(bad, len)) +
               "”不是它的数字）";
  }
  return message;
}

// Both directions split a long number in halves at powers of the base and
// work on the halves, down to pieces of at most kLeafSteps steps, which go
// digit group by digit group with one-limb operands. The powers are
// B, B^2, B^4, ... with B = base^k below 10^9 (k digits a step). Splitting
// keeps the operands of the costly operations balanced and their number
// small: a few large products and divisions instead of one pass over the
// whole number for every k digits.
constexpr std::size_t kLeafSteps = 16;

class Powers {
 public:
  explicit Powers(int base) : step_(StepOf(base)) { powers_.push_back(Small(step_.power)); }
  const Step& step() const { return step_; }

  // −B^(2^j).
  const BigNumber& Negated(std::size_t j) {
    while (negated_.size() <= j) {
      BigNumber minusOne;
      minusOne.FromNumber(-1);
      negated_.push_back(Multiply((*this)[negated_.size()], minusOne));
    }
    return negated_[j];
  }

  // B^(2^j), computed on first use.
  const BigNumber& operator[](std::size_t j) {
    while (powers_.size() <= j) powers_.push_back(Multiply(powers_.back(), powers_.back()));
    return powers_[j];
  }

 private:
  Step step_;
  std::vector<BigNumber> powers_;
  std::vector<BigNumber> negated_;
};

// Digits (already checked) to their value.
class Reader {
 public:
  explicit Reader(int base) : base_(base), powers_(base) {}

  BigNumber Read(std::string_view digits) {
    const std::size_t k = static_cast<std::size_t>(powers_.step().digits);
    if (digits.size() <= k * kLeafSteps) return ReadSteps(digits);
    // The low part takes k × 2^j digits, the most that leaves a high part.
    std::size_t j = 0;
    while (k << (j + 1) < digits.size()) ++j;
    const std::size_t low = k << j;
    BigNumber high = Read(digits.substr(0, digits.size() - low));
    return Add(Multiply(high, powers_[j]), Read(digits.substr(digits.size() - low)));
  }

 private:
  // value = value × B + (the next k digits), the first group shorter.
  BigNumber ReadSteps(std::string_view digits) {
    const std::size_t k = static_cast<std::size_t>(powers_.step().digits);
    BigNumber value;
    std::size_t take = digits.size() % k;
    if (take == 0) take = k;
    for (std::size_t i = 0; i < digits.size(); i += take, take = k) {
      uint32_t chunk = 0;
      for (std::size_t d = i; d < i + take; ++d) {
        chunk = chunk * static_cast<uint32_t>(base_) + static_cast<uint32_t>(kDigitValues[static_cast<unsigned char>(digits[d])]);
      }
      value = i == 0 ? Small(chunk) : Add(Multiply(value, powers_[0]), Small(chunk));
    }
    return value;
  }

  int base_;
  Powers powers_;
};

// A value to its digits.
class Writer {
 public:
  explicit Writer(int base) : base_(base), powers_(base) {}

  void Write(const BigNumber& value, std::string& out) {
    if (value.IsZero()) {
      out.assign(1, '0');
      return;
    }
    // The smallest j with value < (B^(2^j))^2, judged by decimal lengths so
    // that the square is never computed: value has D digits, B^(2^j) has P,
    // and D <= 2P - 2 makes value < 10^(2P-2) <= (B^(2^j))^2.
    const std::size_t d = ToDecimalText(value).size();
    std::size_t j = 0;
    while (d > 2 * ToDecimalText(powers_[j]).size() - 2) ++j;
    Emit(value, j, false, out);
  }

 private:
  // Appends `value`, below (B^(2^j))^2, that is 2^(j+1) steps of digits;
  // `padded`: all k × 2^(j+1) digits, leading zeros included.
  void Emit(const BigNumber& value, std::size_t j, bool padded, std::string& out) {
    if ((std::size_t{2} << j) <= kLeafSteps) return EmitSteps(value, std::size_t{2} << j, padded, out);
    const BigNumber& split = powers_[j];
    BigNumber high = Divide(value, split, 0);
    // value − high × split: a product costs less than a second long division.
    BigNumber low = Add(value, Multiply(high, powers_.Negated(j)));
    if (!padded && high.IsZero()) return Emit(low, j - 1, false, out);
    Emit(high, j - 1, padded, out);
    Emit(low, j - 1, true, out);
  }

  // Divide by B repeatedly; each remainder gives k digits, least
  // significant first.
  void EmitSteps(BigNumber value, std::size_t steps, bool padded, std::string& out) {
    const int k = powers_.step().digits;
    uint32_t chunks[kLeafSteps];
    std::size_t n = 0;
    while (n < steps && (padded || !value.IsZero())) {
      chunks[n++] = static_cast<uint32_t>(ToInt32(Modulo(value, powers_[0])));
      value = Divide(value, powers_[0], 0);
    }
    bool leading = !padded;
    for (std::size_t c = n; c-- > 0;) {
      char buf[32];
      uint32_t v = chunks[c];
      for (int i = k; i-- > 0; v /= static_cast<uint32_t>(base_)) buf[i] = kDigits[v % static_cast<uint32_t>(base_)];
      int from = 0;
      if (leading) {
        while (from + 1 < k && buf[from] == '0') ++from;
        leading = false;
      }
      out.append(buf + from, buf + k);
    }
  }

  int base_;
  Powers powers_;
};

}  // namespace

void ToHexTo(std::string_view bytes, std::string& out) {
  out.resize(bytes.size() * 2);
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  char* dst = out.data();
  for (std::size_t i = 0; i < bytes.size(); ++i, dst += 2) std::memcpy(dst, kHexPairs[src[i]].data(), 2);
}

std::string ToHex(std::string_view bytes) {
  std::string out;
  ToHexTo(bytes, out);
  return out;
}

Conversion<AnsiText> Convert(std::string_view number, int fromBase, int toBase) {
  if (fromBase < kMinBase || fromBase > kMaxBase || toBase < kMinBase || toBase > kMaxBase) {
    return Conversion<AnsiText>::Failure(0, std::string(kBaseOutOfRange));
  }
  std::size_t begin = 0, end = number.size();
  while (begin < end && IsSpace(number[begin])) ++begin;
  while (end > begin && IsSpace(number[end - 1])) --end;
  if (begin == end) return Conversion<AnsiText>::Failure(0, std::string(kEnterText));
  std::string_view digits = number.substr(begin, end - begin);

  // Check every digit first: a refusal comes at once, whatever the length.
  bool lines = false;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (digits[i] == '\r' || digits[i] == '\n') {
      lines = true;
      continue;
    }
    int v = kDigitValues[static_cast<unsigned char>(digits[i])];
    if (v < 0 || v >= fromBase) {
      return Conversion<AnsiText>::Failure(begin + i + 1, InvalidNumber(digits, i, begin, fromBase));
    }
  }
  // A number copied from a result box comes in lines; its digits run on.
  std::string joined;
  if (lines) {
    joined.reserve(digits.size());
    for (char c : digits)
      if (c != '\r' && c != '\n') joined += c;
    digits = joined;
  }

  if (fromBase == toBase) {
    // Same base: the number as it is, without leading zeros, in upper case.
    std::size_t lead = 0;
    while (lead + 1 < digits.size() && digits[lead] == '0') ++lead;
    std::string same(digits.substr(lead));
    for (char& c : same) c = kDigits[kDigitValues[static_cast<unsigned char>(c)]];
    return Conversion<AnsiText>::Success(std::move(same));
  }
  const BigNumber value = Reader(fromBase).Read(digits);
  if (toBase == 10) return Conversion<AnsiText>::Success(ToDecimalText(value));
  std::string text;
  Writer(toBase).Write(value, text);
  return Conversion<AnsiText>::Success(std::move(text));
}

}  // namespace yz::radix
