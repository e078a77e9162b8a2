#include "shell/main_window.h"

namespace yz {

WindowDef MainWindowDefinition(WorkspaceControls workspace) {
  WindowDef w;
  w.name = "主窗口";
  w.rect = {50, 50, 529, 366};
  w.title = "砚舟工具";
  w.borderStyle = 0;
  w.minButton = true;
  w.position = 1;
  w.showInTaskbar = true;
  w.dragAnywhere = true;
  w.events = {EventKind::Created, EventKind::Destroying, EventKind::Moved, EventKind::TrayEvent};

  auto& c = w.controls;
  c = std::move(workspace.pageControl);
  c.push_back(std::move(workspace.mainTextBox));
  c.push_back(ControlDef{
      .name = "选择框_置顶窗口",
      .rect = {432, 38, 72, 16},
      .settings = CheckBoxSettings{.textColor = 0x0088FF, .caption = "窗口置顶"},
      .events = {EventKind::Clicked},
      .tabStop = true,
  });
  c.push_back(std::move(workspace.convertButton));
  return w;
}

WindowDef TimerWindowDefinition() {
  WindowDef w;
  w.name = "计时窗口";
  w.rect = {50, 50, 30, 56};
  w.borderStyle = 2;
  w.position = 1;
  w.showInTaskbar = true;
  w.visible = false;
  return w;
}

}  // namespace yz
