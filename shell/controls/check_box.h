// Check box: a system BUTTON with a ticked state; Clicked follows the change.
#pragma once

#include <ocidl.h>

#include "shell/control.h"

namespace yz {

class CheckBox : public Control {
 public:
  CheckBox(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  std::optional<LRESULT> OnParentNotify(UINT msg, WPARAM wp, LPARAM lp) override;

  bool Checked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool on) { SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
  void Click() { SendMessageW(hwnd_, BM_CLICK, 0, 0); }

 private:
  const CheckBoxSettings& settings_;
  win::Brush background_;
  win::ComPtr<IPicture> picture_;
};

DWORD ButtonAlignStyle(Align align, VAlign valign);
// BS_BITMAP or BS_ICON for a button showing `picture`.
DWORD PictureStyle(IPicture* picture);

}  // namespace yz
