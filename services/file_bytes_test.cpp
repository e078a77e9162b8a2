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

class FileReaderTest : public ReadFileBytesTest {};

// Pieces of any size add up to the file, across every boundary.
TEST_F(FileReaderTest, ReadsTheFileInPiecesOfAnySize) {
  std::string content(300001, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 131 + i / 7);
  const fs::path path = Write(u8"pieces.bin", content);
  for (std::size_t piece : {1u, 7u, 4096u, 65536u, 1u << 20}) {
    SCOPED_TRACE(piece);
    FileReader reader;
    ASSERT_EQ(reader.Open(path.native(), FileReader::Sharing::kReaders), FileReader::Opened::kYes);
    EXPECT_EQ(reader.size(), content.size());
    std::string buffer(piece, '\0'), read;
    for (std::optional<std::size_t> got; (got = reader.Read(buffer.data(), piece)) != 0u;) {
      ASSERT_TRUE(got.has_value());
      ASSERT_LE(*got, piece);
      read.append(buffer, 0, *got);
    }
    EXPECT_EQ(read, content);
    EXPECT_EQ(reader.Read(buffer.data(), piece), 0u);  // and it stays at the end
  }
}

TEST_F(FileReaderTest, FoldersAndMissingFilesAreNotOpened) {
  FileReader reader;
  char byte;
  EXPECT_EQ(reader.Read(&byte, 1), std::nullopt);  // nothing open
  EXPECT_EQ(reader.Open(dir_.native(), FileReader::Sharing::kAnyone), FileReader::Opened::kFolder);
  EXPECT_EQ(reader.Open((dir_ / "missing.bin").native(), FileReader::Sharing::kAnyone), FileReader::Opened::kNo);
  EXPECT_EQ(reader.size(), std::nullopt);
  EXPECT_EQ(reader.Read(&byte, 1), std::nullopt);

  // A reader opens one file after another, each closing the one before.
  Write(u8"one.bin", "1");
  Write(u8"two.bin", "22");
  ASSERT_EQ(reader.Open((dir_ / "one.bin").native(), FileReader::Sharing::kAnyone), FileReader::Opened::kYes);
  ASSERT_EQ(reader.Open((dir_ / "two.bin").native(), FileReader::Sharing::kAnyone), FileReader::Opened::kYes);
  EXPECT_EQ(reader.size(), 2u);
  // Windows deletes no file that is still open without delete sharing.
  std::error_code ec;
  EXPECT_TRUE(fs::remove(dir_ / "one.bin", ec)) << ec.message();
}

TEST(FileName, ChineseNamesConvertBothWays) {
  constexpr std::u8string_view kUtf8 = u8"目录/中文.bin";
  const FileName name = FileNameFromUtf8(std::string(kUtf8.begin(), kUtf8.end()));
  EXPECT_EQ(FileNameText(name), "目录/中文.bin");  // the literal is GBK
  EXPECT_EQ(FileNameFromAnsi("目录/中文.bin"), name);
  EXPECT_EQ(FileNameText(LastNamePart(name)), "中文.bin");
}

TEST(FileName, LastPartFollowsTheLastSeparator) {
  struct Case {
    const char* name;
    const char* last;
  };
  const Case cases[] = {
      {"a/b/c.txt", "c.txt"},
      {"c.txt", "c.txt"},
      {"dir/", ""},
      {"", ""},
#ifdef _WIN32
      {"C:\\x\\y.bin", "y.bin"},
      {"C:\\x/y\\z", "z"},
#endif
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileNameText(LastNamePart(FileNameFromUtf8(c.name))), c.last) << c.name;
  }
}

}  // namespace
}  // namespace yz
