#include "shell/controls/edit_box.h"

#include "services/encoding.h"
#include "shell/window.h"

namespace yz {
namespace {

DWORD BorderExStyle(int border) {
  switch (border) {
    case 1: return WS_EX_CLIENTEDGE;
    case 2: return WS_EX_DLGMODALFRAME;
    case 3: return WS_EX_STATICEDGE;
    case 4: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
  }
}

}  // namespace

EditBox::EditBox(Window& window, const ControlDef& def)
    : Control(window, def), settings_(std::get<EditBoxSettings>(def.settings)) {}

bool EditBox::Create(HWND parent) {
  const EditBoxSettings& s = settings_;
  DWORD style = 0;
  if (s.multiLine) {
    style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    // Without a horizontal scroll bar the lines wrap at the box width.
    if (s.scrollBars & 1) style |= ES_AUTOHSCROLL | WS_HSCROLL;
    if (s.scrollBars & 2) style |= WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (!s.hideSelection) style |= ES_NOHIDESEL;
  if (s.align == Align::Center) style |= ES_CENTER;
  if (s.align == Align::Right) style |= ES_RIGHT;
  if (s.inputMode == 1) style |= ES_READONLY;
  if (s.caseConversion == 1) style |= ES_LOWERCASE;
  if (s.caseConversion == 2) style |= ES_UPPERCASE;
  DWORD ex = BorderExStyle(s.border);
  if (s.border == 5) style |= WS_BORDER;
  if (!CreateNative(L"EDIT", style, ex, parent, AnsiToWide(s.text))) return false;
  ApplyFont(s.font);
  // 0 lifts the default limit of 30,000 characters.
  SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(s.maxLength), 0);
  background_ = win::Brush{CreateSolidBrush(ToColorRef(s.background))};
  return true;
}

std::optional<LRESULT> EditBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ToColorRef(settings_.textColor));
      SetBkColor(dc, ToColorRef(settings_.background));
      return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_COMMAND:
      if (HIWORD(wp) == EN_CHANGE) window().Raise(this, EventKind::TextChanged);
      return 0;
  }
  return {};
}

void EditBox::SelectAll() { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

std::pair<int, int> EditBox::Selection() const {
  DWORD start = 0, end = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end - start)};
}

}  // namespace yz
