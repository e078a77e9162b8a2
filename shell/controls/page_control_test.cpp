// The page control of the main window: tabs, colours, pages and tooltips.
#include "shell/controls/page_control.h"

#include <windows.h>

#include "app/testing/gui_test.h"
#include "services/encoding.h"

namespace yz {
namespace {

class PageControlTest : public yz::testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    w = &LoadMain();
    pages = &w->Get<PageControl>("高级选择夹1");
  }
  // Puts the pointer on a tab the way the mouse would.
  void PointAt(int page) {
    RECT r = pages->TabRect(page);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT screen = p;
    ClientToScreen(pages->hwnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(pages->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    Pump();
  }
  void Wait(int ms) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (GetTickCount() < end) {
      Pump();
      Sleep(10);
    }
  }
  int TextWidth(const AnsiText& caption) {
    win::WindowDc dc(pages->hwnd());
    win::Font font = MakeFont(FontDef{.face = "宋体", .height = -12, .weight = 400, .charset = 134}, false);
    win::Selection sel(dc.get(), font.get());
    WideText wide = AnsiToWide(caption);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(wide.c_str()), static_cast<int>(wide.size()),
                          &size);
    return size.cx;
  }

  Window* w = nullptr;
  PageControl* pages = nullptr;
};

TEST_F(PageControlTest, SevenTabsInOneRowAsWideAsTheirCaptionsPlusEleven) {
  ASSERT_EQ(pages->PageCount(), 7);
  EXPECT_EQ(pages->RowCount(), 1);
  EXPECT_EQ(pages->RowHeight(), 20);
  const char* titles[] = {"字节集", "进制转换", "URL网页编码", "BASE64编码", "UNICODE编码", "MD5加密", "功能待完善"};
  int x = 0;
  for (int page = 1; page <= 7; ++page) {
    SCOPED_TRACE(page);
    EXPECT_EQ(pages->Caption(page), titles[page - 1]);
    RECT r = pages->TabRect(page);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.right - r.left, std::max(50, TextWidth(titles[page - 1]) + 11));
    x = r.right;
  }
  EXPECT_LE(x, 494);
}

TEST_F(PageControlTest, LongCaptionsWrapIntoFurtherRows) {
  ASSERT_TRUE(pages->SetPageCaption(2, "一个很长很长很长很长很长很长的标题"));
  ASSERT_TRUE(pages->SetPageCaption(5, "又一个很长很长很长很长很长很长的标题"));
  EXPECT_GE(pages->RowCount(), 2);
  for (int page = 1; page <= 7; ++page) {
    RECT r = pages->TabRect(page);
    EXPECT_LE(r.right, 494);
    EXPECT_EQ((r.bottom - r.top), 20);
  }
  EXPECT_FALSE(pages->SetPageCaption(7, "x"));
  EXPECT_FALSE(pages->SetPageCaption(-1, "x"));
}

TEST_F(PageControlTest, ChoosingATabShowsOnlyThatPagesControls) {
  auto& byteBox = w->Get<EditBox>("编辑框_字节集框");
  auto& base64Box = w->Get<EditBox>("编辑框_BASE64编码框");
  EXPECT_EQ(pages->Current(), 1);
  EXPECT_TRUE(byteBox.IsVisible());
  EXPECT_FALSE(base64Box.IsVisible());
  RECT r = pages->TabRect(4);
  PostMessageW(pages->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.top + 5));
  PostMessageW(pages->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 5, r.top + 5));
  Pump();
  EXPECT_EQ(pages->Current(), 4);
  EXPECT_FALSE(byteBox.IsVisible());
  EXPECT_TRUE(base64Box.IsVisible());
}

TEST_F(PageControlTest, CaptionColoursFollowPointerAndCurrentPage) {
  EXPECT_EQ(pages->CaptionColor(1), RGB(0xFF, 0, 0));  // current
  EXPECT_EQ(pages->CaptionColor(2), RGB(0, 0, 0));     // at rest
  EXPECT_EQ(pages->TopColor(1), RGB(0xEC, 0xEC, 0xEC));
  EXPECT_EQ(pages->TopColor(2), RGB(0xC0, 0xC0, 0xC0));
  PointAt(1);
  EXPECT_EQ(pages->HotPage(), 1);
  EXPECT_EQ(pages->CaptionColor(1), RGB(0, 0x88, 0xFF));  // the pointer wins over current
  PostMessageW(pages->hwnd(), WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_EQ(pages->CaptionColor(1), RGB(0xFF, 0, 0));
  EnableWindow(pages->hwnd(), FALSE);
  EXPECT_EQ(pages->CaptionColor(1), RGB(0x80, 0x80, 0x80));
}

TEST_F(PageControlTest, TooltipShowsAfterRestAndKeyPressKeepsItAwayUntilTheNextMove) {
  PointAt(4);
  EXPECT_FALSE(pages->TooltipShowing());
  Wait(450);
  ASSERT_TRUE(pages->TooltipShowing());
  EXPECT_EQ(pages->TooltipText(), "BASE64编码转换");
  // A key goes down somewhere in the window.
  PostMessageW(w->Get<EditBox>("编辑框_文本框").hwnd(), WM_KEYDOWN, 'A', 1);
  Pump();
  EXPECT_FALSE(pages->TooltipShowing());
  Wait(450);
  EXPECT_FALSE(pages->TooltipShowing());
  PointAt(6);
  Wait(450);
  ASSERT_TRUE(pages->TooltipShowing());
  EXPECT_EQ(pages->TooltipText(), "文本MD5加密，拖放文件取MD5");
  // Moving withdraws it at once.
  RECT r = pages->TabRect(6);
  PostMessageW(pages->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 2, r.top + 2));
  Pump();
  EXPECT_FALSE(pages->TooltipShowing());
}

}  // namespace
}  // namespace yz
