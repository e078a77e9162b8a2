// MD5 message digest (RFC 1321).
//
// Md5 digests a message fed in pieces of any size; the pieces together give
// the same digest as the whole message in one piece. Md5Digest and DataDigest
// digest one whole message. MD5 is used here to identify texts and files, not
// for security.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "services/text_types.h"

namespace yz {

class Md5 {
 public:
  Md5();

  // Appends bytes to the message.
  void Update(std::string_view bytes);

  // Pads the message, returns its 16-byte digest (RFC 1321 order) and starts
  // a new, empty message, so the object can be used again.
  std::array<std::uint8_t, 16> Finish();

 private:
  std::uint32_t state_[4];
  std::uint64_t length_ = 0;  // message length in bytes so far
  unsigned char block_[64];   // bytes of the unfinished block
  std::size_t buffered_ = 0;  // how many bytes of block_ are in use
};

std::array<std::uint8_t, 16> Md5Digest(std::string_view bytes);

// The MD5 of the bytes as 32 lower-case hexadecimal digits, two per digest
// byte in digest order. The digest of no bytes is d41d8cd98f00b204e9800998ecf8427e.
AnsiText DataDigest(std::string_view bytes);

}  // namespace yz
