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
  return w;
}

}  // namespace yz
