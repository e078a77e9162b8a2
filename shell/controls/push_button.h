// Push button: a system BUTTON that raises Clicked.
#pragma once

#include <ocidl.h>

#include "shell/control.h"

namespace yz {

class PushButton : public Control {
 public:
  PushButton(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  std::optional<LRESULT> OnParentNotify(UINT msg, WPARAM wp, LPARAM lp) override;
  // Clicks it as the user would (Clicked follows at once).
  void Click() { SendMessageW(hwnd_, BM_CLICK, 0, 0); }
  bool isDefault() const { return settings_.isDefault; }

 private:
  const PushButtonSettings& settings_;
  win::ComPtr<IPicture> picture_;
};

}  // namespace yz
