// The Windows halves of the services: lazily found functions, the file
// sharing mode, and the copy that stands in for lstrcpynA.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "services/encoding.h"
#include "services/file_bytes.h"
#include "services/outside_function.h"

namespace yz {
namespace {

// Nothing else in this executable uses WinINet, so it must not be loaded
// until the declared function is first called.
TEST(OutsideFunction, LoadsItsLibraryOnFirstCall) {
  ASSERT_EQ(GetModuleHandleW(L"wininet.dll"), nullptr);
  OutsideFunction<BOOL(void*)> closeHandle{"wininet.dll", "InternetCloseHandle"};
  EXPECT_EQ(GetModuleHandleW(L"wininet.dll"), nullptr);  // declaring loads nothing
  EXPECT_FALSE(closeHandle(nullptr));                    // a null handle is refused
  EXPECT_NE(GetModuleHandleW(L"wininet.dll"), nullptr);
  EXPECT_TRUE(closeHandle.Available());
}

TEST(OutsideFunction, WithoutLibraryLooksInKernel32) {
  OutsideFunction<DWORD()> processId{nullptr, "GetCurrentProcessId"};
  EXPECT_EQ(processId(), GetCurrentProcessId());
  EXPECT_EQ(processId(), GetCurrentProcessId());  // the remembered address
  OutsideFunction<int(const char*, const char*)> compare{nullptr, "lstrcmpA"};
  EXPECT_EQ(compare("abc", "abc"), 0);
}

TEST(OutsideFunction, MissingFunctionOrLibraryReturnsEmptyResult) {
  OutsideFunction<int(int)> noFunction{"kernel32.dll", "NoSuchFunctionAnywhere"};
  EXPECT_FALSE(noFunction.Available());
  EXPECT_EQ(noFunction(5), 0);
  OutsideFunction<void()> noLibrary{"no_such_library_yz.dll", "Anything"};
  EXPECT_FALSE(noLibrary.Available());
  noLibrary();  // does nothing
}

// CopyTextAt gives the bytes lstrcpynA gives.
TEST(CopyTextAtOnWindows, SameBytesAsLstrcpynA) {
  const char source[] = "hello\0world\xD6\xD0";
  for (int size : {1, 2, 3, 6, 7, 12}) {
    SCOPED_TRACE(size);
    char buffer[64] = {};
    lstrcpynA(buffer, source, size);
    EXPECT_EQ(CopyTextAt(source, size), std::string(buffer));
  }
  const char chinese[] = "\xD6\xD0\xCE\xC4";
  for (int size : {2, 3, 4, 5}) {
    SCOPED_TRACE(size);
    char buffer[64] = {};
    lstrcpynA(buffer, chinese, size);
    EXPECT_EQ(CopyTextAt(chinese, size), std::string(buffer));
  }
}

// ReadFileBytes denies others write access while it reads; conversely a file
// that someone holds open for writing cannot be read by it.
TEST(ReadFileBytesOnWindows, FileOpenForWritingElsewhereGivesEmpty) {
  namespace fs = std::filesystem;
  const fs::path path = fs::temp_directory_path() / "yz_share_mode.bin";
  std::ofstream(path, std::ios::binary) << "shared";
  ASSERT_EQ(ReadFileBytes(path.string()), "shared");

  HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadFileBytes(path.string()), "");
  {
    // A reader that lets others write opens it all the same (the file digest
    // reads so); one that keeps writers out does not.
    FileReader readers, anyone;
    EXPECT_EQ(readers.Open(path.native(), FileReader::Sharing::kReaders), FileReader::Opened::kNo);
    ASSERT_EQ(anyone.Open(path.native(), FileReader::Sharing::kAnyone), FileReader::Opened::kYes);
    char buffer[16];
    EXPECT_EQ(anyone.Read(buffer, sizeof buffer), 6u);
    EXPECT_EQ(std::string_view(buffer, 6), "shared");
  }
  CloseHandle(writer);

  EXPECT_EQ(ReadFileBytes(path.string()), "shared");
  std::error_code ec;
  EXPECT_TRUE(fs::remove(path, ec));  // ReadFileBytes closed its handle
}

}  // namespace
}  // namespace yz
