#include "services/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace yz {
namespace {

struct DigestCase {
  std::string_view input;
  std::string_view want;
};

// RFC 1321, appendix A.5 test suite.
constexpr DigestCase kRfc1321Suite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

// Messages whose padding falls on either side of a block end (55, 56, 63, 64
// and 65 bytes), embedded zero bytes and bytes above 0x7F, as digested by
// `md5sum`.
constexpr DigestCase kPaddingEdges[] = {
    {"0123456789012345678901234567890123456789012345678901234", "6e7a4fc92eb1c3f6e652425bcc8d44b5"},
    {"01234567890123456789012345678901234567890123456789012345", "8af270b2847610e742b0791b53648c09"},
    {"012345678901234567890123456789012345678901234567890123456789012",
     "c5e256437e758092dbfe06283e489019"},
    {"0123456789012345678901234567890123456789012345678901234567890123",
     "7f7bfd348709deeaace19e3f535f8c54"},
    {"01234567890123456789012345678901234567890123456789012345678901234",
     "beb9f48bc802ca5ca043bcc15e219a5a"},
    {{"a\0b", 3}, "70350f6027bce3713f6b76473084309b"},
    {"\xD6\xD0", "5301da37e5ffca1823a5cef67488d4bf"},
};

TEST(Md5, Rfc1321TestSuite) {
  for (const auto& c : kRfc1321Suite) {
    SCOPED_TRACE(std::string(c.input));
    EXPECT_EQ(DataDigest(c.input), c.want);
  }
}

TEST(Md5, PaddingAroundBlockEnds) {
  for (const auto& c : kPaddingEdges) {
    SCOPED_TRACE(c.input.size());
    EXPECT_EQ(DataDigest(c.input), c.want);
  }
}

TEST(Md5, MillionAs) {
  EXPECT_EQ(DataDigest(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5, DigestBytesAreInDigestOrder) {
  const auto d = Md5Digest("abc");
  EXPECT_EQ(d[0], 0x90);
  EXPECT_EQ(d[1], 0x01);
  EXPECT_EQ(d[15], 0x72);
}

// A message long enough to span three blocks, cut in two at every position
// and cut in three at every pair of positions, must digest as in one piece.
TEST(Md5, IncrementalEqualsOneShotAtEveryBoundary) {
  std::string msg;
  for (int i = 0; i < 150; ++i) msg.push_back(static_cast<char>(i * 37 + 11));
  const auto whole = Md5Digest(msg);
  const std::string_view all(msg);
  for (std::size_t i = 0; i <= all.size(); ++i) {
    SCOPED_TRACE(i);
    Md5 md5;
    md5.Update(all.substr(0, i));
    md5.Update(all.substr(i));
    ASSERT_EQ(md5.Finish(), whole);
  }
  for (std::size_t i = 0; i <= all.size(); i += 7) {
    for (std::size_t j = i; j <= all.size(); ++j) {
      SCOPED_TRACE(testing::Message() << i << "," << j);
      Md5 md5;
      md5.Update(all.substr(0, i));
      md5.Update(all.substr(i, j - i));
      md5.Update(all.substr(j));
      ASSERT_EQ(md5.Finish(), whole);
    }
  }
}

TEST(Md5, ByteByByteEqualsOneShot) {
  for (const auto& c : kRfc1321Suite) {
    SCOPED_TRACE(std::string(c.input));
    Md5 md5;
    for (char ch : c.input) md5.Update(std::string_view(&ch, 1));
    EXPECT_EQ(md5.Finish(), Md5Digest(c.input));
  }
}

TEST(Md5, FinishStartsANewMessage) {
  Md5 md5;
  md5.Update("junk");
  md5.Finish();
  md5.Update("abc");
  EXPECT_EQ(md5.Finish(), Md5Digest("abc"));
  EXPECT_EQ(md5.Finish(), Md5Digest(""));
}

}  // namespace
}  // namespace yz
