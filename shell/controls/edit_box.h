// Edit box: a system EDIT control with its stored settings.
#pragma once

#include "shell/control.h"

namespace yz {

class EditBox : public Control {
 public:
  EditBox(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  std::optional<LRESULT> OnParentNotify(UINT msg, WPARAM wp, LPARAM lp) override;
  bool ClaimsKey(UINT vk) const override { return vk == VK_RETURN && settings_.multiLine; }

  const EditBoxSettings& settings() const { return settings_; }
  void SelectAll();
  // Selection start (0-based) and length, in UTF-16 units.
  std::pair<int, int> Selection() const;

 private:
  const EditBoxSettings& settings_;
  win::Brush background_;
};

}  // namespace yz
