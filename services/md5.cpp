#include "services/md5.h"

#include <algorithm>
#include <cstring>

namespace yz {
namespace {

constexpr std::uint32_t kInitialState[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

inline std::uint32_t Rotl(std::uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

inline std::uint32_t LoadLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The four auxiliary functions of RFC 1321 section 3.4. F and G are written
// with disjoint terms joined by +, which lets the compiler start the add of the
// message word and constant before the boolean function is done.
inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
inline std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & z) + (y & ~z); }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

#define YZ_MD5_STEP(f, a, b, c, d, x, t, s) \
  a += f(b, c, d) + (x) + (t);              \
  a = Rotl(a, s) + b

// Processes `count` consecutive 64-byte blocks.
void Transform(std::uint32_t state[4], const unsigned char* p, std::size_t count) {
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (; count > 0; --count, p += 64) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLe32(p + 4 * i);
    const std::uint32_t aa = a, bb = b, cc = c, dd = d;

    // Round 1.
    YZ_MD5_STEP(F, a, b, c, d, x[0], 0xd76aa478, 7);
    YZ_MD5_STEP(F, d, a, b, c, x[1], 0xe8c7b756, 12);
    YZ_MD5_STEP(F, c, d, a, b, x[2], 0x242070db, 17);
    YZ_MD5_STEP(F, b, c, d, a, x[3], 0xc1bdceee, 22);
    YZ_MD5_STEP(F, a, b, c, d, x[4], 0xf57c0faf, 7);
    YZ_MD5_STEP(F, d, a, b, c, x[5], 0x4787c62a, 12);
    YZ_MD5_STEP(F, c, d, a, b, x[6], 0xa8304613, 17);
    YZ_MD5_STEP(F, b, c, d, a, x[7], 0xfd469501, 22);
    YZ_MD5_STEP(F, a, b, c, d, x[8], 0x698098d8, 7);
    YZ_MD5_STEP(F, d, a, b, c, x[9], 0x8b44f7af, 12);
    YZ_MD5_STEP(F, c, d, a, b, x[10], 0xffff5bb1, 17);
    YZ_MD5_STEP(F, b, c, d, a, x[11], 0x895cd7be, 22);
    YZ_MD5_STEP(F, a, b, c, d, x[12], 0x6b901122, 7);
    YZ_MD5_STEP(F, d, a, b, c, x[13], 0xfd987193, 12);
    YZ_MD5_STEP(F, c, d, a, b, x[14], 0xa679438e, 17);
    YZ_MD5_STEP(F, b, c, d, a, x[15], 0x49b40821, 22);

    // Round 2.
    YZ_MD5_STEP(G, a, b, c, d, x[1], 0xf61e2562, 5);
    YZ_MD5_STEP(G, d, a, b, c, x[6], 0xc040b340, 9);
    YZ_MD5_STEP(G, c, d, a, b, x[11], 0x265e5a51, 14);
    YZ_MD5_STEP(G, b, c, d, a, x[0], 0xe9b6c7aa, 20);
    YZ_MD5_STEP(G, a, b, c, d, x[5], 0xd62f105d, 5);
    YZ_MD5_STEP(G, d, a, b, c, x[10], 0x02441453, 9);
    YZ_MD5_STEP(G, c, d, a, b, x[15], 0xd8a1e681, 14);
    YZ_MD5_STEP(G, b, c, d, a, x[4], 0xe7d3fbc8, 20);
    YZ_MD5_STEP(G, a, b, c, d, x[9], 0x21e1cde6, 5);
    YZ_MD5_STEP(G, d, a, b, c, x[14], 0xc33707d6, 9);
    YZ_MD5_STEP(G, c, d, a, b, x[3], 0xf4d50d87, 14);
    YZ_MD5_STEP(G, b, c, d, a, x[8], 0x455a14ed, 20);
    YZ_MD5_STEP(G, a, b, c, d, x[13], 0xa9e3e905, 5);
    YZ_MD5_STEP(G, d, a, b, c, x[2], 0xfcefa3f8, 9);
    YZ_MD5_STEP(G, c, d, a, b, x[7], 0x676f02d9, 14);
    YZ_MD5_STEP(G, b, c, d, a, x[12], 0x8d2a4c8a, 20);

    // Round 3.
    YZ_MD5_STEP(H, a, b, c, d, x[5], 0xfffa3942, 4);
    YZ_MD5_STEP(H, d, a, b, c, x[8], 0x8771f681, 11);
    YZ_MD5_STEP(H, c, d, a, b, x[11], 0x6d9d6122, 16);
    YZ_MD5_STEP(H, b, c, d, a, x[14], 0xfde5380c, 23);
    YZ_MD5_STEP(H, a, b, c, d, x[1], 0xa4beea44, 4);
    YZ_MD5_STEP(H, d, a, b, c, x[4], 0x4bdecfa9, 11);
    YZ_MD5_STEP(H, c, d, a, b, x[7], 0xf6bb4b60, 16);
    YZ_MD5_STEP(H, b, c, d, a, x[10], 0xbebfbc70, 23);
    YZ_MD5_STEP(H, a, b, c, d, x[13], 0x289b7ec6, 4);
    YZ_MD5_STEP(H, d, a, b, c, x[0], 0xeaa127fa, 11);
    YZ_MD5_STEP(H, c, d, a, b, x[3], 0xd4ef3085, 16);
    YZ_MD5_STEP(H, b, c, d, a, x[6], 0x04881d05, 23);
    YZ_MD5_STEP(H, a, b, c, d, x[9], 0xd9d4d039, 4);
    YZ_MD5_STEP(H, d, a, b, c, x[12], 0xe6db99e5, 11);
    YZ_MD5_STEP(H, c, d, a, b, x[15], 0x1fa27cf8, 16);
    YZ_MD5_STEP(H, b, c, d, a, x[2], 0xc4ac5665, 23);

    // Round 4.
    YZ_MD5_STEP(I, a, b, c, d, x[0], 0xf4292244, 6);
    YZ_MD5_STEP(I, d, a, b, c, x[7], 0x432aff97, 10);
    YZ_MD5_STEP(I, c, d, a, b, x[14], 0xab9423a7, 15);
    YZ_MD5_STEP(I, b, c, d, a, x[5], 0xfc93a039, 21);
    YZ_MD5_STEP(I, a, b, c, d, x[12], 0x655b59c3, 6);
    YZ_MD5_STEP(I, d, a, b, c, x[3], 0x8f0ccc92, 10);
    YZ_MD5_STEP(I, c, d, a, b, x[10], 0xffeff47d, 15);
    YZ_MD5_STEP(I, b, c, d, a, x[1], 0x85845dd1, 21);
    YZ_MD5_STEP(I, a, b, c, d, x[8], 0x6fa87e4f, 6);
    YZ_MD5_STEP(I, d, a, b, c, x[15], 0xfe2ce6e0, 10);
    YZ_MD5_STEP(I, c, d, a, b, x[6], 0xa3014314, 15);
    YZ_MD5_STEP(I, b, c, d, a, x[13], 0x4e0811a1, 21);
    YZ_MD5_STEP(I, a, b, c, d, x[4], 0xf7537e82, 6);
    YZ_MD5_STEP(I, d, a, b, c, x[11], 0xbd3af235, 10);
    YZ_MD5_STEP(I, c, d, a, b, x[2], 0x2ad7d2bb, 15);
    YZ_MD5_STEP(I, b, c, d, a, x[9], 0xeb86d391, 21);

    a += aa;
    b += bb;
    c += cc;
    d += dd;
  }
  state[0] = a;
  state[1] = b;
  state[2] = c;
  state[3] = d;
}

#undef YZ_MD5_STEP

}  // namespace

Md5::Md5() { std::memcpy(state_, kInitialState, sizeof state_); }

void Md5::Update(std::string_view bytes) {
  auto p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  length_ += n;
  if (buffered_ > 0) {
    std::size_t take = std::min(n, sizeof block_ - buffered_);
    std::memcpy(block_ + buffered_, p, take);
    buffered_ += take;
    p += take;
    n -= take;
    if (buffered_ < sizeof block_) return;
    Transform(state_, block_, 1);
    buffered_ = 0;
  }
  if (n >= 64) {
    Transform(state_, p, n / 64);
    p += n / 64 * 64;
    n %= 64;
  }
  if (n > 0) {
    std::memcpy(block_, p, n);
    buffered_ = n;
  }
}

std::array<std::uint8_t, 16> Md5::Finish() {
  // RFC 1321 section 3.1 and 3.2: a 1 bit, zeros up to 56 bytes mod 64, then
  // the message length in bits as a 64-bit little-endian number.
  const std::uint64_t bits = length_ * 8;
  unsigned char tail[128] = {0x80};
  std::size_t padding = (buffered_ < 56 ? 56 : 120) - buffered_;
  for (int i = 0; i < 8; ++i) tail[padding + i] = static_cast<unsigned char>(bits >> (8 * i));
  Update(std::string_view(reinterpret_cast<const char*>(tail), padding + 8));

  std::array<std::uint8_t, 16> digest;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (8 * j));
  *this = Md5();
  return digest;
}

std::array<std::uint8_t, 16> Md5Digest(std::string_view bytes) {
  Md5 md5;
  md5.Update(bytes);
  return md5.Finish();
}

AnsiText DataDigest(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  AnsiText out;
  out.reserve(32);
  for (std::uint8_t b : Md5Digest(bytes)) {
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 15]);
  }
  return out;
}

}  // namespace yz
