#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "services/encoding.h"
#include "services/file_bytes.h"

namespace yz {

FileName FileNameFromAnsi(std::string_view gbk) { return AnsiToUtf8(gbk); }
FileName FileNameFromUtf8(std::string_view utf8) { return FileName(utf8); }
AnsiText FileNameText(const FileName& name) { return Utf8ToAnsi(name); }

FileName LastNamePart(const FileName& name) {
  const std::size_t slash = name.find_last_of('/');
  return slash == FileName::npos ? name : name.substr(slash + 1);
}

FileReader::Opened FileReader::Open(const FileName& name, Sharing) {
  Close();
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Opened::kNo;
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return Opened::kNo;
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Opened::kFolder;
  }
  handle_ = fd;
  if (S_ISREG(st.st_mode)) size_ = static_cast<std::uint64_t>(st.st_size);
  return Opened::kYes;
}

std::optional<std::size_t> FileReader::Read(char* buffer, std::size_t capacity) {
  if (handle_ < 0) return std::nullopt;
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(handle_), buffer, capacity);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) return std::nullopt;
  }
}

void FileReader::Close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
  size_.reset();
}

}  // namespace yz
