// BigNumber: multiply and divide of 10,000-digit numbers (beside GMP when it
// is installed), and the radix page's conversion of a 100,000-digit number.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "services/big_number.h"

#ifdef YZ_BENCH_GMP
#include <gmp.h>
#endif

namespace {

using yz::BigNumber;

BigNumber Small(int v) {
  BigNumber n;
  n.FromNumber(v);
  return n;
}

std::string RandomDigits(std::size_t count, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(count, '0');
  for (char& c : s) c = static_cast<char>('0' + rng() % 10);
  s[0] = static_cast<char>('1' + rng() % 9);
  return s;
}

// The radix page's reading: value × 10^k + chunk, k digits a step, with
// 10^k below the limb base.
BigNumber FromDigits(std::string_view digits, int perStep) {
  int scale = 1;
  for (int i = 0; i < perStep; ++i) scale *= 10;
  const BigNumber step = Small(scale);
  BigNumber value;
  std::size_t i = 0;
  const std::size_t head = digits.size() % static_cast<std::size_t>(perStep);
  if (head > 0) {
    value = Small(std::stoi(std::string(digits.substr(0, head))));
    i = head;
  }
  for (; i < digits.size(); i += static_cast<std::size_t>(perStep)) {
    int chunk = 0;
    for (int k = 0; k < perStep; ++k) chunk = chunk * 10 + (digits[i + static_cast<std::size_t>(k)] - '0');
    value = Add(Multiply(value, step), Small(chunk));
  }
  return value;
}

// The page-2 loop: read 100,000 decimal digits, then write them in base 36 by
// repeated Divide (0 places) and Modulo, `perStep` base-36 digits a step.
std::string ToBase36(BigNumber value, int perStep) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  int scale = 1;
  for (int i = 0; i < perStep; ++i) scale *= 36;
  const BigNumber divisor = Small(scale);
  std::string reversed;
  while (!value.IsZero()) {
    int chunk = ToInt32(Modulo(value, divisor));
    value = Divide(value, divisor, 0);
    for (int k = 0; k < perStep && (chunk != 0 || !value.IsZero()); ++k) {
      reversed.push_back(kDigits[chunk % 36]);
      chunk /= 36;
    }
  }
  return std::string(reversed.rbegin(), reversed.rend());
}

const std::string& HundredThousandDigits() {
  static const std::string digits = RandomDigits(100000, 1);
  return digits;
}

void RadixLoop(benchmark::State& state, int decimalPerStep, int base36PerStep) {
  std::size_t outDigits = 0;
  for (auto _ : state) {
    BigNumber value = FromDigits(HundredThousandDigits(), decimalPerStep);
    std::string out = ToBase36(value, base36PerStep);
    outDigits = out.size();
    benchmark::DoNotOptimize(out);
  }
  state.counters["base36_digits"] = static_cast<double>(outDigits);
}

// 10^8 and 36^5 are the largest powers below the limb base 10^9.
void BM_RadixLoopSteps(benchmark::State& state) { RadixLoop(state, 8, 5); }
void BM_RadixLoopOneDigit(benchmark::State& state) { RadixLoop(state, 1, 1); }
BENCHMARK(BM_RadixLoopSteps)->Name("BM_RadixLoop/digitsPerStep")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RadixLoopOneDigit)->Name("BM_RadixLoop/oneDigitPerStep")->Unit(benchmark::kMillisecond);

// Reading and writing must round-trip, or the timing means nothing.
[[maybe_unused]] const bool kRoundTrips = [] {
  const std::string digits = RandomDigits(3000, 2);
  const std::string base36 = ToBase36(FromDigits(digits, 8), 5);
  if (base36 != ToBase36(FromDigits(digits, 1), 1)) {
    std::fprintf(stderr, "radix loop disagrees with itself\n");
    std::abort();
  }
  BigNumber back;
  const BigNumber b = Small(36);
  for (char c : base36) back = Add(Multiply(back, b), Small(c <= '9' ? c - '0' : c - 'A' + 10));
  if (ToDecimalText(back) != digits) {
    std::fprintf(stderr, "radix loop does not round-trip\n");
    std::abort();
  }
  return true;
}();

void BM_Multiply10000Digits(benchmark::State& state) {
  const BigNumber a = FromDigits(RandomDigits(10000, 3), 8), b = FromDigits(RandomDigits(10000, 4), 8);
  for (auto _ : state) benchmark::DoNotOptimize(Multiply(a, b));
}
BENCHMARK(BM_Multiply10000Digits)->Unit(benchmark::kMicrosecond);

void BM_Divide20000By10000Digits(benchmark::State& state) {
  const BigNumber b = FromDigits(RandomDigits(10000, 4), 8);
  const BigNumber a = Add(Multiply(FromDigits(RandomDigits(10000, 3), 8), b), Small(12345));
  for (auto _ : state) benchmark::DoNotOptimize(Divide(a, b, 0));
}
BENCHMARK(BM_Divide20000By10000Digits)->Unit(benchmark::kMicrosecond);

void BM_Divide10000DigitsBySmall(benchmark::State& state) {
  const BigNumber a = FromDigits(RandomDigits(10000, 3), 8), b = Small(60466176);
  for (auto _ : state) benchmark::DoNotOptimize(Divide(a, b, 0));
}
BENCHMARK(BM_Divide10000DigitsBySmall)->Unit(benchmark::kMicrosecond);

void BM_ToDecimalText100000Digits(benchmark::State& state) {
  const BigNumber a = FromDigits(HundredThousandDigits(), 8);
  for (auto _ : state) benchmark::DoNotOptimize(ToDecimalText(a));
}
BENCHMARK(BM_ToDecimalText100000Digits)->Unit(benchmark::kMicrosecond);

#ifdef YZ_BENCH_GMP
void BM_GmpMultiply10000Digits(benchmark::State& state) {
  mpz_t a, b, r;
  mpz_init_set_str(a, RandomDigits(10000, 3).c_str(), 10);
  mpz_init_set_str(b, RandomDigits(10000, 4).c_str(), 10);
  mpz_init(r);
  for (auto _ : state) {
    mpz_mul(r, a, b);
    benchmark::ClobberMemory();
  }
  mpz_clears(a, b, r, nullptr);
}
BENCHMARK(BM_GmpMultiply10000Digits)->Unit(benchmark::kMicrosecond);

void BM_GmpDivide20000By10000Digits(benchmark::State& state) {
  mpz_t a, b, q;
  mpz_init_set_str(a, RandomDigits(10000, 3).c_str(), 10);
  mpz_init_set_str(b, RandomDigits(10000, 4).c_str(), 10);
  mpz_mul(a, a, b);
  mpz_add_ui(a, a, 12345);
  mpz_init(q);
  for (auto _ : state) {
    mpz_tdiv_q(q, a, b);
    benchmark::ClobberMemory();
  }
  mpz_clears(a, b, q, nullptr);
}
BENCHMARK(BM_GmpDivide20000By10000Digits)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
