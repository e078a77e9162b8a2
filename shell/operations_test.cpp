// The window and control operations on real windows.
#include "shell/operations.h"

#include <array>

#include "app/testing/kind_test.h"
#include "shell/controls/group_box.h"
#include "shell/controls/label.h"

namespace yz {
namespace {

using yz::testing::KindTest;
using yz::testing::kTestWindow;

class Operations : public KindTest {
 protected:
  Window& LoadPages() {
    return LoadTestWindow({
        ControlDef{.name = "选择夹",
                   .rect = {10, 10, 380, 200},
                   .settings = PageControlSettings{.pages = {{"一", ""}, {"二", ""}, {"三", ""}}}},
        ControlDef{.name = "页框", .rect = {10, 40, 100, 22}, .settings = EditBoxSettings{}, .parent = "选择夹",
                   .page = 1, .tabStop = true},
        ControlDef{.name = "按钮", .rect = {10, 240, 80, 24}, .settings = PushButtonSettings{.caption = "按"},
                   .tabStop = true},
        ControlDef{.name = "时钟1", .settings = TimerSettings{}},
    });
  }
};

TEST_F(Operations, SetPageCaptionOutsideThePagesGivesFalseAndChangesNothing) {
  Window& w = LoadPages();
  auto& pages = w.Get<PageControl>("选择夹");
  for (int index : {3, 4, -1}) {
    SCOPED_TRACE(index);
    EXPECT_FALSE(SetPageCaption(pages, index, "新"));
  }
  EXPECT_EQ(pages.Caption(1), "一");
  EXPECT_EQ(pages.Caption(2), "二");
  EXPECT_EQ(pages.Caption(3), "三");
  EXPECT_FALSE(SetPageCaption(*w.FindControl("按钮"), 0, "新"));
}

TEST_F(Operations, SetPageCaptionSetsTheTabAndLaysTheTabsOutAgain) {
  Window& w = LoadPages();
  auto& pages = w.Get<PageControl>("选择夹");
  RECT before = pages.TabRect(2);
  ASSERT_TRUE(SetPageCaption(pages, 1, "一个长得多的页标题"));
  EXPECT_EQ(pages.Caption(2), "一个长得多的页标题");
  RECT after = pages.TabRect(2);
  EXPECT_GT(after.right - after.left, before.right - before.left);
  // The tab after it moved along.
  EXPECT_GT(pages.TabRect(3).left, after.left);
}

TEST_F(Operations, MoveControlKeepsWhatIsAbsentOrMinusOne) {
  Window& w = LoadPages();
  Control& button = *w.FindControl("按钮");
  auto rect = [&] {
    RECT r;
    GetWindowRect(button.hwnd(), &r);
    MapWindowPoints(nullptr, w.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return std::array<long, 4>{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  EXPECT_EQ(rect(), (std::array<long, 4>{10, 240, 80, 24}));
  MoveControl(button, 30, 50);
  EXPECT_EQ(rect(), (std::array<long, 4>{30, 50, 80, 24}));
  MoveControl(button, {}, {}, 120, -1);
  EXPECT_EQ(rect(), (std::array<long, 4>{30, 50, 120, 24}));
  MoveControl(button, -5, {}, -1, 40);
  EXPECT_EQ(rect(), (std::array<long, 4>{-5, 50, 120, 40}));
  // Inside a page control, coordinates are the page control's.
  Control& box = *w.FindControl("页框");
  MoveControl(box, 20, 60);
  RECT r;
  GetWindowRect(box.hwnd(), &r);
  MapWindowPoints(nullptr, w.FindControl("选择夹")->hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 60);
}

TEST_F(Operations, MoveControlOfAWindowUsesTheScreenAndSkipsAnUnchangedRectangle) {
  int moves = 0;
  handlers.Add(kTestWindow, nullptr, EventKind::Moved, [&](Event&) { ++moves; });
  WindowDef def;
  def.events = {EventKind::Moved};
  Window& w = LoadTestWindow({}, def);
  MoveControl(w, 100, 120);
  RECT r;
  GetWindowRect(w.hwnd(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 420);
  int movesSoFar = moves;
  MoveControl(w, 100, 120, 420, 320);
  EXPECT_EQ(moves, movesSoFar);
}

TEST_F(Operations, WindowHandleFocusControlAndTextHeightOfOtherKinds) {
  Window& w = LoadPages();
  EXPECT_EQ(WindowHandle(w), reinterpret_cast<std::intptr_t>(w.hwnd()));
  Control& button = *w.FindControl("按钮");
  EXPECT_EQ(WindowHandle(button), reinterpret_cast<std::intptr_t>(button.hwnd()));
  EXPECT_EQ(WindowHandle(*w.FindControl("时钟1")), 0);
  FocusControl(button);
  EXPECT_EQ(GetFocus(), button.hwnd());
  FocusControl(*w.FindControl("页框"));
  EXPECT_EQ(GetFocus(), w.FindControl("页框")->hwnd());
  EXPECT_EQ(TextHeight(button, "字"), 0);
  EXPECT_EQ(TextHeight(*w.FindControl("时钟1"), 12), 0);
}

TEST_F(Operations, DestroyUnitOfAControlTakesItAndWhatItHolds) {
  Window& w = LoadTestWindow({
      ControlDef{.name = "分组框2", .rect = {10, 10, 128, 40}, .settings = GroupBoxSettings{}},
      ControlDef{.name = "编辑框_进制前", .rect = {8, 16, 24, 16}, .settings = EditBoxSettings{.inputMode = 6},
                 .parent = "分组框2", .tabStop = true},
      ControlDef{.name = "标签1", .rect = {34, 16, 40, 16}, .settings = LabelSettings{.text = "进制到"},
                 .parent = "分组框2"},
      ControlDef{.name = "按钮", .rect = {10, 240, 80, 24}, .settings = PushButtonSettings{}, .tabStop = true},
  });
  HWND group = w.FindControl("分组框2")->hwnd(), box = w.FindControl("编辑框_进制前")->hwnd();
  DestroyUnit(*w.FindControl("分组框2"));
  EXPECT_FALSE(IsWindow(group));
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(w.FindControl("分组框2"), nullptr);
  EXPECT_EQ(w.FindControl("编辑框_进制前"), nullptr);
  EXPECT_EQ(w.FindControl("标签1"), nullptr);
  EXPECT_NE(w.FindControl("按钮"), nullptr);
  EXPECT_EQ(w.controls().size(), 1u);
  EXPECT_EQ(w.ControlFromHwnd(box), nullptr);
}

TEST_F(Operations, DestroyUnitOfAControlFromItsOwnHandler) {
  handlers.Add(kTestWindow, "按钮", EventKind::Clicked, [](Event& ev) { DestroyUnit(*ev.control); });
  Window& w = LoadTestWindow({ControlDef{.name = "按钮", .rect = {10, 10, 80, 24}, .settings = PushButtonSettings{},
                                         .events = {EventKind::Clicked}}});
  HWND h = w.FindControl("按钮")->hwnd();
  w.Get<PushButton>("按钮").Click();
  Pump();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(w.FindControl("按钮"), nullptr);
}

TEST_F(Operations, DestroyUnitOfAWindowIsCarriedOutAfterTheCurrentMessage) {
  Record(nullptr, {EventKind::Destroying});
  WindowDef def;
  def.events = {EventKind::Destroying};
  Window& w = LoadTestWindow({}, def);
  HWND h = w.hwnd();
  DestroyUnit(w);
  EXPECT_TRUE(IsWindow(h));  // a posted request
  Pump();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(layer->Find(kTestWindow), nullptr);
  EXPECT_TRUE(LoadWindow(*layer, kTestWindow));
  EXPECT_NE(layer->Find(kTestWindow), nullptr);
  EXPECT_FALSE(LoadWindow(*layer, "没有的窗口"));
}

TEST_F(Operations, ProcessEventsHandlesWhatIsWaitingThenReturns) {
  Window& w = LoadPages();
  int handled = 0;
  w.OnMessage(kMsgFirstUser + 7, [&](WPARAM wp, LPARAM) { handled += static_cast<int>(wp); });
  PostMessageW(w.hwnd(), kMsgFirstUser + 7, 2, 0);
  PostMessageW(w.hwnd(), kMsgFirstUser + 7, 3, 0);
  ProcessEvents(*layer);
  EXPECT_EQ(handled, 5);
}

}  // namespace
}  // namespace yz
