#include "shell/controls/push_button.h"

#include "services/encoding.h"
#include "shell/controls/canvas.h"
#include "shell/window.h"

namespace yz {

DWORD ButtonAlignStyle(Align align, VAlign valign) {
  DWORD style = 0;
  style |= align == Align::Left ? BS_LEFT : align == Align::Right ? BS_RIGHT : BS_CENTER;
  style |= valign == VAlign::Top ? BS_TOP : valign == VAlign::Bottom ? BS_BOTTOM : BS_VCENTER;
  return style;
}

DWORD PictureStyle(IPicture* picture) {
  SHORT type = PICTYPE_NONE;
  if (!picture || FAILED(picture->get_Type(&type))) return 0;
  return type == PICTYPE_ICON ? BS_ICON : BS_BITMAP;
}

PushButton::PushButton(Window& window, const ControlDef& def)
    : Control(window, def), settings_(std::get<PushButtonSettings>(def.settings)) {}

bool PushButton::Create(HWND parent) {
  DWORD style = (settings_.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                ButtonAlignStyle(settings_.align, settings_.valign);
  picture_ = LoadPicture(settings_.picture);
  if (picture_) style |= PictureStyle(picture_.get());
  if (!CreateNative(L"BUTTON", style, 0, parent, AnsiToWide(settings_.caption))) return false;
  ApplyFont(settings_.font);
  SetButtonPicture(hwnd_, picture_.get());
  return true;
}

std::optional<LRESULT> PushButton::OnParentNotify(UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    window().Raise(this, EventKind::Clicked);
    return 0;
  }
  return {};
}

}  // namespace yz
