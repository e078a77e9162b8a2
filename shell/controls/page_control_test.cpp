// The page control of the main window: tabs, colours, pages and tooltips.
#include "shell/controls/page_control.h"

#include <windows.h>

#include "app/testing/gui_test.h"
#include "services/encoding.h"
#include "shell/controls/canvas.h"

namespace yz {
namespace {

class PageControlTest : public yz::testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    // The pointer away from the tabs: an earlier test may have left it there.
    SetCursorPos(0, 0);
    w = &LoadMain();
    pages = &w->Get<PageControl>("高级选择夹1");
    PostMessageW(pages->hwnd(), WM_MOUSELEAVE, 0, 0);
    Pump();
    ASSERT_EQ(pages->HotPage(), 0);
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

// What the control paints: tab faces as 64-band gradients from their top
// colour down to the button face, and captions in their colours.
TEST_F(PageControlTest, TabFacesAreGradientsAndCaptionsHaveTheirColours) {
  RECT client;
  GetClientRect(pages->hwnd(), &client);
  win::WindowDc screen(nullptr);
  Canvas canvas(screen.get(), client.right, client.bottom);
  ASSERT_TRUE(canvas);
  SendMessageW(pages->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  GdiFlush();
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto column = [&](int page) {  // a column of the face left of the caption
    return pages->TabRect(page).left + 3;
  };
  RECT current = pages->TabRect(1), rest = pages->TabRect(2);
  // Below the frame line, the faces start at their top colours.
  EXPECT_NEAR(GetGValue(canvas.Get(column(1), current.top + 1)), 0xEC, 3);
  EXPECT_NEAR(GetGValue(canvas.Get(column(2), rest.top + 1)), 0xC0, 6);
  // Down the face the colour moves steadily toward the button face.
  int previous = -1;
  for (int y = rest.top + 1; y < rest.bottom - 1; ++y) {
    int g = GetGValue(canvas.Get(column(2), y));
    EXPECT_GE(g, previous) << y;
    previous = g;
  }
  EXPECT_NEAR(previous, GetGValue(face), 6);
  // Captions are smoothed, so look for pixels of the caption's hue.
  auto has = [&](RECT r, auto like) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (like(canvas.Get(x, y))) return true;
    return false;
  };
  auto red = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 90 && GetBValue(c) < 90; };
  auto black = [](COLORREF c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60; };
  EXPECT_TRUE(has(current, red));
  EXPECT_FALSE(has(rest, red));
  EXPECT_TRUE(has(rest, black));
  EXPECT_FALSE(has(current, black));
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

// The time on screen, shortened in a window of the test's own.
TEST_F(PageControlTest, TooltipIsWithdrawnAfterItsTimeOnScreen) {
  WindowDef def{.name = "页", .rect = {0, 0, 300, 120}, .title = "页", .position = 1};
  def.controls = {ControlDef{
      .name = "选择夹",
      .rect = {0, 0, 280, 100},
      .settings = PageControlSettings{.pages = {{"甲", "第一页"}, {"乙", "第二页"}},
                                      .font = FontDef{.face = "宋体", .height = -12},
                                      .tooltipVisibleMs = 400},
  }};
  HandlerRegistry none;
  layer = std::make_unique<WindowLayer>(none, std::vector<const WindowDef*>{&def});
  ASSERT_TRUE(layer->LoadWindow("页"));
  pages = &layer->Find("页")->Get<PageControl>("选择夹");
  PointAt(2);
  Wait(400);
  ASSERT_TRUE(pages->TooltipShowing());
  EXPECT_EQ(pages->TooltipText(), "第二页");
  Wait(600);
  EXPECT_FALSE(pages->TooltipShowing());
}

}  // namespace
}  // namespace yz
