// The four window definitions.
//
// The main window's definition interleaves its chrome with the workspace's
// controls, which the workspace supplies.
#pragma once

#include <vector>

#include "shell/definition.h"

namespace yz {

struct WorkspaceControls {
  std::vector<ControlDef> pageControl;  // 高级选择夹1 followed by the controls of its pages
  ControlDef mainTextBox;               // 编辑框_文本框
  ControlDef convertButton;             // 按钮_转换
};

WindowDef MainWindowDefinition(WorkspaceControls workspace);
WindowDef TimerWindowDefinition();

}  // namespace yz
