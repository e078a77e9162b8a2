// MD5 of 256 MiB: this project's Md5 beside OpenSSL's EVP MD5 (the code that
// `openssl speed -evp md5` measures) on the same buffer.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "services/md5.h"

namespace {

constexpr std::size_t kSize = std::size_t{256} << 20;

// The buffer is written in full before any timing: the first write to fresh
// memory is slow and must not count against either digest.
const std::string& Data() {
  static const std::string data = [] {
    std::string d(kSize, '\0');
    std::uint32_t x = 0x12345678;
    for (char& c : d) {
      x = x * 1664525 + 1013904223;
      c = static_cast<char>(x >> 24);
    }
    return d;
  }();
  return data;
}

// state.range(0) bytes of the buffer, digested whole each iteration.
void BM_Md5(benchmark::State& state) {
  const std::string_view data = std::string_view(Data()).substr(0, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    yz::Md5 md5;
    md5.Update(data);
    auto digest = md5.Finish();
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_OpenSslMd5(benchmark::State& state) {
  const std::string_view data = std::string_view(Data()).substr(0, static_cast<std::size_t>(state.range(0)));
  EVP_MD_CTX* ctx = EVP_MD_CTX_new();
  for (auto _ : state) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestInit_ex(ctx, EVP_md5(), nullptr);
    EVP_DigestUpdate(ctx, data.data(), data.size());
    EVP_DigestFinal_ex(ctx, digest, &length);
    benchmark::DoNotOptimize(digest);
  }
  EVP_MD_CTX_free(ctx);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// 256 MiB streams from memory; 16 KiB stays in the cache, as in `openssl speed`.
BENCHMARK(BM_Md5)->Name("BM_Md5")->Arg(static_cast<std::int64_t>(kSize))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSslMd5)->Name("BM_OpenSslMd5")->Arg(static_cast<std::int64_t>(kSize))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Md5)->Name("BM_Md5")->Arg(16384);
BENCHMARK(BM_OpenSslMd5)->Name("BM_OpenSslMd5")->Arg(16384);

// Both digests must agree, or the comparison means nothing.
[[maybe_unused]] const bool kDigestsAgree = [] {
  const std::string_view data = std::string_view(Data()).substr(0, 1 << 20);
  unsigned char want[16];
  unsigned int length = 0;
  EVP_Digest(data.data(), data.size(), want, &length, EVP_md5(), nullptr);
  const auto got = yz::Md5Digest(data);
  for (int i = 0; i < 16; ++i)
    if (got[i] != want[i]) {
      std::fprintf(stderr, "MD5 differs from OpenSSL's\n");
      std::abort();
    }
  return true;
}();

}  // namespace
