#include "services/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace yz {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

class ReadFileBytesTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("yz_file_bytes_" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
                                        "_" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // Writes a file; `name` is UTF-8.
  fs::path Write(std::u8string_view name, std::string_view content) {
    fs::path p = dir_ / fs::path(name);
    std::ofstream(p, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
    return p;
  }

  // The directory as GBK text; the temporary directory's name is ASCII.
  std::string DirText() const { return dir_.string(); }

  fs::path dir_;
};

TEST_F(ReadFileBytesTest, ReadsTheWholeFile) {
  const std::string content = std::string("head\0\xFF\xD6\xD0"sv) + std::string(200000, 'x') + "tail";
  Write(u8"data.bin", content);
  EXPECT_EQ(ReadFileBytes(DirText() + "/data.bin"), content);
}

TEST_F(ReadFileBytesTest, GbkNameOfAChineseFile) {
  Write(u8"中文.bin", "abc");
  EXPECT_EQ(ReadFileBytes(DirText() + "/" + "中文.bin"), "abc");  // the literal is GBK
}

TEST_F(ReadFileBytesTest, NothingToReadGivesEmpty) {
  Write(u8"empty.bin", "");
  EXPECT_EQ(ReadFileBytes(DirText() + "/empty.bin"), "");
  EXPECT_EQ(ReadFileBytes(DirText() + "/missing.bin"), "");
  EXPECT_EQ(ReadFileBytes(DirText()), "");  // a directory
  EXPECT_EQ(ReadFileBytes(""), "");
}

TEST_F(ReadFileBytesTest, RelativeNameResolvesAgainstCurrentDirectory) {
  Write(u8"here.bin", "rel");
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  const ByteSeq got = ReadFileBytes("here.bin");
  fs::current_path(before);
  EXPECT_EQ(got, "rel");
}

}  // namespace
}  // namespace yz
