// Reading files: whole (ReadFileBytes), or from start to end in pieces
// (FileReader) for files of any size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "services/text_types.h"

namespace yz {

// A file's name as the system spells it: UTF-16 on Windows, bytes (UTF-8 by
// convention) elsewhere, so that every name the system can give is kept.
#ifdef _WIN32
using FileName = std::wstring;
#else
using FileName = std::string;
#endif

// The name of a file spelled in GBK (as the program's texts are) or in UTF-8
// (as the command line's arguments are).
FileName FileNameFromAnsi(std::string_view gbk);
FileName FileNameFromUtf8(std::string_view utf8);
// A file's name as GBK text, for messages.
AnsiText FileNameText(const FileName& name);
// The last part of a name: what follows its last separator ('/', and '\\' on
// Windows), or the whole name when it has none.
FileName LastNamePart(const FileName& name);

// A file read from its start to its end, a piece at a time, never held whole.
// One owner of the system's handle; closed when the reader goes.
class FileReader {
 public:
  enum class Sharing {
    kReaders,  // others may go on reading the file, but nobody may write it
    kAnyone,   // others may go on reading and writing it
  };
  enum class Opened { kYes, kFolder, kNo };

  FileReader() = default;
  ~FileReader() { Close(); }
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // Opens `name` for reading from its start; a folder is never opened. On
  // POSIX `sharing` has no effect: it has no sharing modes.
  Opened Open(const FileName& name, Sharing sharing);

  // The file's size when it was opened; none when the system cannot tell.
  std::optional<std::uint64_t> size() const { return size_; }

  // Reads the next bytes into `buffer`, at most `capacity`: how many were
  // read, 0 at the end of the file, none on a read error.
  std::optional<std::size_t> Read(char* buffer, std::size_t capacity);

 private:
  void Close();

  // The system's handle: a HANDLE on Windows, a descriptor elsewhere. Both
  // systems spell "no handle" as -1.
  std::intptr_t handle_ = -1;
  std::optional<std::uint64_t> size_;
};

// The whole content of the file named by the GBK text `name`, opened for
// reading while others may read it but not write it (on Windows; POSIX has no
// such sharing mode). A relative name resolves against the current directory,
// which the program makes its own directory at start. An empty name, a file
// that cannot be opened or read, an empty file and a file longer than a
// ByteSeq can say (2^31 − 1 bytes) give empty, with no message.
ByteSeq ReadFileBytes(std::string_view name);

}  // namespace yz
