// A fixture for the conversion pages on the real main window.
#pragma once

#include <windows.h>

#include "app/testing/gui_test.h"
#include "workspace/workspace.h"

namespace yz::testing {

class PageTest : public GuiTest {
 protected:
  void Open(int page) {
    w = &LoadMain();
    w->Get<PageControl>("高级选择夹1").SetCurrent(page);
  }
  EditBox& box(const char* name) { return w->Get<EditBox>(name); }
  EditBox& mainBox() { return box("编辑框_文本框"); }
  void Click(const char* name) { w->Get<PushButton>(name).Click(); }
  void Convert() { Click("按钮_转换"); }
  Workspace& ws() { return w->State<Workspace>(); }

  Window* w = nullptr;
};

}  // namespace yz::testing
