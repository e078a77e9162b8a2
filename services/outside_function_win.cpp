#include <windows.h>

#include "services/outside_function.h"

namespace yz::detail {

void* FindOutsideFunction(const char* library, const char* function) {
  HMODULE module = library ? LoadLibraryA(library) : GetModuleHandleW(L"kernel32.dll");
  if (!module) return nullptr;
  // The library stays loaded for the rest of the process: the address is kept.
  return reinterpret_cast<void*>(GetProcAddress(module, function));
}

}  // namespace yz::detail
