#include "windows/auxiliary_windows.h"

namespace yz {

WindowDef LinkBarWindowDefinition() {
  WindowDef w;
  w.name = "链接条窗口";
  w.rect = {50, 50, 527, 32};
  w.borderStyle = 0;
  w.position = 0;
  w.showInTaskbar = false;
  w.events = {EventKind::Created, EventKind::Destroying};
  return w;
}

WindowDef AboutWindowDefinition() {
  WindowDef w;
  w.name = "关于窗口";
  w.rect = {50, 50, 249, 127};
  w.title = "作者";
  w.borderStyle = 4;
  w.position = 1;
  w.showInTaskbar = false;
  w.alwaysOnTop = true;
  w.keepCaptionActive = true;
  w.events = {EventKind::Created, EventKind::Destroying};
  // The maker's contact details, one line each.
  w.controls.push_back(ControlDef{
      .name = "标签3",
      .rect = {0, 64, 241, 40},
      .settings = LabelSettings{.textColor = 0x0088FF,
                                .valign = VAlign::Center,
                                .wordWrap = true,
                                .text = " 作者：_墨川\r\n"
                                        " QQ：12345678\r\n"
                                        " E-mail：mochuan@yanzhou.example\r\n"},
  });
  return w;
}

}  // namespace yz
