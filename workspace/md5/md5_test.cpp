#include "workspace/md5/md5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "services/md5.h"

namespace yz::md5 {
namespace {

struct Case {
  std::string_view bytes;
  std::string_view digest;
};

constexpr Case kDigests[] = {
    // RFC 1321, appendix A.5
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
    // The GBK bytes of 中 (D6 D0), and a zero byte
    {"中", "5301da37e5ffca1823a5cef67488d4bf"},
    {{"\0", 1}, "93b885adfe0da089cdf634904fd59f71"},
};

TEST(Md5Page, FillsTheThreeRows) {
  for (const auto& c : kDigests) {
    SCOPED_TRACE(c.bytes);
    Rows rows = TextRows(c.bytes);
    EXPECT_EQ(rows.digest, c.digest);
    EXPECT_EQ(rows.short16, c.digest.substr(8, 16));
    std::string upper(c.digest);
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(rows.upper32, upper);
  }
}

TEST(Md5Page, SixteenDigitFormIsDigitsNineToTwentyFour) {
  Rows rows = RowsOf("0123456789abcdef0123456789abcdef");
  EXPECT_EQ(rows.short16, "89abcdef01234567");
  EXPECT_EQ(rows.upper32, "0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(TextRows("").short16, "8f00b204e9800998");
}

TEST(Md5Page, HexDigestMatchesDataDigest) {
  for (const auto& c : kDigests) EXPECT_EQ(HexDigest(Md5Digest(c.bytes)), c.digest);
}

class Md5File : public ::testing::Test {
 protected:
  std::filesystem::path dir_ = std::filesystem::temp_directory_path() /
                               ("yz_md5_test_" + std::to_string(std::random_device{}()));
  void SetUp() override { std::filesystem::create_directories(dir_); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path Write(const std::filesystem::path& name, std::string_view bytes) {
    auto path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
};

TEST_F(Md5File, DigestsFilesAcrossPieceBoundaries) {
  std::mt19937 rng(1321);
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, kFilePiece - 1, kFilePiece, kFilePiece + 1,
                           3 * kFilePiece + 77}) {
    std::string bytes(size, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    auto path = Write(std::to_string(size) + ".bin", bytes);
    std::uint64_t calls = 0, last = 0;
    auto got = DigestFile(path, [&](std::uint64_t done, std::uint64_t total) {
      ++calls;
      EXPECT_EQ(total, size);
      EXPECT_GT(done, last);
      last = done;
      return true;
    });
    ASSERT_TRUE(got.ok()) << got.error->message;
    EXPECT_EQ(got.value, DataDigest(bytes)) << size;
    EXPECT_EQ(calls, (size + kFilePiece - 1) / kFilePiece) << size;
    EXPECT_EQ(last, size);
  }
}

// A file of 256 MiB (sparse where the file system allows) digested from the
// disk in pieces, against the same zeros fed from memory in pieces of another
// size and against md5sum's digest of them.
TEST_F(Md5File, LargeSparseFile) {
  constexpr std::uint64_t kLarge = std::uint64_t{256} << 20;
  const auto path = dir_ / "large.bin";
  std::ofstream(path, std::ios::binary).put('\0');
  std::filesystem::resize_file(path, kLarge);
  auto got = DigestFile(path);
  ASSERT_TRUE(got.ok()) << got.error->message;
  Md5 md5;
  const std::string zeros(3 * 1000 * 1000, '\0');
  for (std::uint64_t done = 0; done < kLarge;) {
    const std::uint64_t take = std::min<std::uint64_t>(zeros.size(), kLarge - done);
    md5.Update(std::string_view(zeros).substr(0, static_cast<std::size_t>(take)));
    done += take;
  }
  EXPECT_EQ(got.value, HexDigest(md5.Finish()));
  EXPECT_EQ(got.value, "1f5039e50bd66b290c56684d8550c6c2");  // md5sum of 256 MiB of zeros
}

// Sizes and offsets past 4 GiB: a sparse file of zeros with a tail, against
// md5sum's digest of it. Too slow without optimisation.
TEST_F(Md5File, FileLargerThanFourGiB) {
#ifndef NDEBUG
  GTEST_SKIP() << "optimised builds only";
#endif
  constexpr std::uint64_t kZeros = (std::uint64_t{4} << 30) + 123;
  constexpr std::string_view kTail = "tail!";
  const auto path = dir_ / "huge.bin";
  {
    std::ofstream out(path, std::ios::binary);
    out.seekp(static_cast<std::streamoff>(kZeros));
    out.write(kTail.data(), static_cast<std::streamsize>(kTail.size()));
  }
  ASSERT_EQ(std::filesystem::file_size(path), kZeros + kTail.size());
  std::uint64_t lastDone = 0, lastTotal = 0;
  auto got = DigestFile(path, [&](std::uint64_t done, std::uint64_t total) {
    lastDone = done;
    lastTotal = total;
    return true;
  });
  ASSERT_TRUE(got.ok()) << got.error->message;
  EXPECT_EQ(lastDone, kZeros + kTail.size());
  EXPECT_EQ(lastTotal, kZeros + kTail.size());
  EXPECT_EQ(got.value, "a7333395c20af657620678acd02be118");  // md5sum of the same file
}

TEST_F(Md5File, NameWithChineseCharacters) {
  auto path = Write(std::filesystem::path(u"文件.txt"), "abc");
  auto got = DigestFile(path);
  ASSERT_TRUE(got.ok()) << got.error->message;
  EXPECT_EQ(got.value, "900150983cd24fb0d6963f7d28e17f72");
}

TEST_F(Md5File, RefusesFolderAndMissingFile) {
  auto folder = DigestFile(dir_);
  ASSERT_FALSE(folder.ok());
  EXPECT_NE(folder.error->message.find("是文件夹"), std::string::npos) << folder.error->message;
  auto missing = DigestFile(dir_ / "none");
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error->message.find("无法打开文件"), std::string::npos) << missing.error->message;
}

TEST_F(Md5File, StopsWhenProgressSaysSo) {
  auto path = Write("big", std::string(3 * kFilePiece, 'x'));
  int calls = 0;
  auto got = DigestFile(path, [&](std::uint64_t, std::uint64_t) { return ++calls < 2; });
  ASSERT_FALSE(got.ok());
  EXPECT_EQ(got.error->message, kStopped);
  EXPECT_EQ(calls, 2);
}

// Another program may write the file while it is read (it is opened so
// that others may): a file cut short meanwhile is refused, never digested
// as far as it went.
TEST_F(Md5File, RefusesAFileThatShrankWhileItWasRead) {
  auto path = Write("shrinking", std::string(3 * kFilePiece, 'x'));
  auto got = DigestFile(path, [&](std::uint64_t done, std::uint64_t) {
    if (done == kFilePiece) std::filesystem::resize_file(path, kFilePiece);
    return true;
  });
  ASSERT_FALSE(got.ok());
  EXPECT_NE(got.error->message.find("只读到" + std::to_string(kFilePiece) + "字节，文件有" +
                                    std::to_string(3 * kFilePiece) + "字节"),
            std::string::npos)
      << got.error->message;
}

}  // namespace
}  // namespace yz::md5
