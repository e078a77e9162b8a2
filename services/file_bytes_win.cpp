#include <windows.h>

#include <algorithm>

#include "services/encoding.h"
#include "services/file_bytes.h"

namespace yz {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

FileName FromWide(const WideText& wide) { return FileName(wide.begin(), wide.end()); }

}  // namespace

FileName FileNameFromAnsi(std::string_view gbk) { return FromWide(AnsiToWide(gbk)); }
FileName FileNameFromUtf8(std::string_view utf8) { return FromWide(Utf8ToWide(utf8)); }
AnsiText FileNameText(const FileName& name) {
  return WideToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(name.data()), name.size()));
}

FileName LastNamePart(const FileName& name) {
  const std::size_t separator = name.find_last_of(L"\\/");
  return separator == FileName::npos ? name : name.substr(separator + 1);
}

FileReader::Opened FileReader::Open(const FileName& name, Sharing sharing) {
  Close();
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return Opened::kFolder;
  const DWORD share = sharing == Sharing::kReaders ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Opened::kNo;
  handle_ = reinterpret_cast<std::intptr_t>(file);
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size)) size_ = static_cast<std::uint64_t>(size.QuadPart);
  return Opened::kYes;
}

std::optional<std::size_t> FileReader::Read(char* buffer, std::size_t capacity) {
  if (handle_ == -1) return std::nullopt;
  // ReadFile counts in DWORDs: ask for at most 1 GiB at a time.
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(capacity, DWORD{1} << 30));
  DWORD got = 0;
  if (!ReadFile(reinterpret_cast<HANDLE>(handle_), buffer, wanted, &got, nullptr)) return std::nullopt;
  return got;
}

void FileReader::Close() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = -1;
  size_.reset();
}

}  // namespace yz
