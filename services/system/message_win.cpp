#include <windows.h>

#include <cstring>

#include "services/encoding.h"
#include "services/system/message.h"
#include "services/win/handles.h"

namespace yz {
namespace {

MessageDisplay& CurrentDisplay() {
  static MessageDisplay display;
  return display;
}

int FromBoxResult(int id) {
  switch (id) {
    case IDOK: return kResultOk;
    case IDCANCEL: return kResultCancel;
    case IDABORT: return kResultAbort;
    case IDRETRY: return kResultRetry;
    case IDIGNORE: return kResultIgnore;
    case IDYES: return kResultYes;
    case IDNO: return kResultNo;
    default: return kResultCancel;
  }
}

int ShowBox(const AnsiText& content, int flags, const AnsiText& caption) {
  std::u16string text = AnsiToWide(content), title = AnsiToWide(caption);
  int id = MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.c_str()),
                       reinterpret_cast<LPCWSTR>(title.c_str()), static_cast<UINT>(flags));
  return FromBoxResult(id);
}

// A movable block holding `bytes` followed by a zero unit of `zeroSize` bytes.
win::GlobalMemory MakeBlock(const void* bytes, size_t size, size_t zeroSize) {
  win::GlobalMemory block{GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + zeroSize)};
  if (!block) return block;
  void* p = GlobalLock(block.get());
  if (!p) return {};
  std::memcpy(p, bytes, size);
  GlobalUnlock(block.get());
  return block;
}

}  // namespace

int ShowMessage(const AnsiText& content, int flags, const AnsiText& caption) {
  if (!(flags & message_flags::kSystemModal)) flags |= message_flags::kTaskModal;
  const MessageDisplay& display = CurrentDisplay();
  return display ? display(content, flags, caption) : ShowBox(content, flags, caption);
}

MessageDisplay SetMessageDisplay(MessageDisplay display) {
  return std::exchange(CurrentDisplay(), std::move(display));
}

bool SetClipboardText(const AnsiText& text) {
  win::ClipboardSession clipboard(nullptr);
  if (!clipboard.is_open()) return false;
  EmptyClipboard();
  std::u16string wide = AnsiToWide(text);
  win::GlobalMemory ansi = MakeBlock(text.data(), text.size(), 1);
  win::GlobalMemory unicode = MakeBlock(wide.data(), wide.size() * 2, 2);
  if (!ansi || !unicode) return false;
  // Once placed, the block belongs to the clipboard.
  if (!SetClipboardData(CF_TEXT, ansi.get())) return false;
  ansi.release();
  if (!SetClipboardData(CF_UNICODETEXT, unicode.get())) return false;
  unicode.release();
  return true;
}

}  // namespace yz
