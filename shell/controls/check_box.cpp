#include "shell/controls/check_box.h"

#include "services/encoding.h"
#include "shell/controls/canvas.h"
#include "shell/window.h"

namespace yz {

CheckBox::CheckBox(Window& window, const ControlDef& def)
    : Control(window, def), settings_(std::get<CheckBoxSettings>(def.settings)) {}

bool CheckBox::Create(HWND parent) {
  const CheckBoxSettings& s = settings_;
  DWORD style = BS_AUTOCHECKBOX | ButtonAlignStyle(s.align, s.valign);
  if (s.pushLike) style |= BS_PUSHLIKE;
  if (s.flat) style |= BS_FLAT;
  if (s.boxOnRight) style |= BS_LEFTTEXT;
  picture_ = LoadPicture(s.picture);
  if (picture_) style |= PictureStyle(picture_.get());
  if (!CreateNative(L"BUTTON", style, 0, parent, AnsiToWide(s.caption))) return false;
  ApplyFont(s.font);
  SetButtonPicture(hwnd_, picture_.get());
  SetChecked(s.checked);
  background_ = win::Brush{CreateSolidBrush(ToColorRef(s.background))};
  return true;
}

std::optional<LRESULT> CheckBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ToColorRef(settings_.textColor));
      SetBkColor(dc, ToColorRef(settings_.background));
      return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_COMMAND:
      // An automatic check box has already changed its state.
      if (HIWORD(wp) == BN_CLICKED) window().Raise(this, EventKind::Clicked);
      return 0;
  }
  return {};
}

}  // namespace yz
