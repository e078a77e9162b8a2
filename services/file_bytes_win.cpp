#include <windows.h>

#include <climits>

#include "services/encoding.h"
#include "services/file_bytes.h"
#include "services/win/handles.h"

namespace yz {

ByteSeq ReadFileBytes(std::string_view name) {
  if (name.empty()) return {};
  const WideText wide = AnsiToWide(name);
  if (wide.empty()) return {};
  // Others may go on reading the file, but nobody may write it meanwhile.
  win::KernelHandle file(CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_READ,
                                     FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return {};
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > INT_MAX) return {};
  ByteSeq out(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < out.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), out.data() + done, static_cast<DWORD>(out.size() - done), &got, nullptr)) return {};
    if (got == 0) break;  // the file shrank while it was read
    done += got;
  }
  out.resize(done);
  return out;
}

}  // namespace yz
