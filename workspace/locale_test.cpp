// Run under an English locale (ANSI code page 1252): the program's GBK texts
// and conversions must not depend on the system's code page.
#include <windows.h>

#include "app/testing/gui_test.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

class EnglishLocale : public yz::testing::GuiTest {};

TEST_F(EnglishLocale, ReadsAndWritesChineseThroughCodePage936) {
  ASSERT_EQ(GetACP(), 1252u) << "this test must run with YZ_WINE_LANG=en_US.UTF-8";
  Window& w = LoadMain();
  // The window's own texts are GBK and still show right.
  wchar_t title[32];
  GetWindowTextW(w.hwnd(), title, 32);
  EXPECT_EQ(std::wstring(title), L"\u781A\u821F\u5DE5\u5177");  // 砚舟工具
  EXPECT_EQ(w.Get<PushButton>("按钮_转换").Wide(), u"转换");
  EXPECT_EQ(w.Get<PageControl>("高级选择夹1").Caption(4), "BASE64编码");

  w.Get<PageControl>("高级选择夹1").SetCurrent(4);
  auto& mainBox = w.Get<EditBox>("编辑框_文本框");
  mainBox.SetWide(u"中");
  w.Get<PushButton>("按钮_转换").Click();
  EXPECT_EQ(w.Get<EditBox>("编辑框_BASE64编码框").Wide(), u"1tA=");
  mainBox.SetWide(u"");
  w.Get<PushButton>("按钮_BASE64编码到文本").Click();
  EXPECT_EQ(mainBox.Wide(), u"中");

  // Messages too.
  w.Get<PushButton>("按钮_BASE64编码清空").Click();
  mainBox.SetWide(u"");
  w.Get<PushButton>("按钮_转换").Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "当前转换为空，请输入文本！");
}

}  // namespace
}  // namespace yz
