// Makes the control object of a definition's kind.
#pragma once

#include <memory>

#include "shell/control.h"

namespace yz {

std::unique_ptr<Control> MakeControl(Window& window, const ControlDef& def);

// A kind whose native control is not part of this program yet: it keeps its
// definition and has no window.
class DefinitionOnly : public Control {
 public:
  using Control::Control;
  bool Create(HWND) override { return true; }
};

}  // namespace yz
