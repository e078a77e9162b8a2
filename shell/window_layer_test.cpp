// The window lifecycle on the real main window.
#include "shell/window_layer.h"

#include <windowsx.h>

#include <algorithm>
#include <thread>

#include "app/testing/gui_test.h"

namespace yz {
namespace {

using yz::testing::GuiTest;

// A registry whose every binding of every window records "control.Event"
// (or "Event" for the window) in `log`.
HandlerRegistry Recorder(std::vector<std::string>& log) {
  HandlerRegistry h;
  for (const WindowDef* w : ProgramWindows()) {
    for (EventKind k : w->events)
      h.Add(w->name, nullptr, k, [&log, k](Event&) { log.push_back(EventName(k)); });
    for (const ControlDef& c : w->controls)
      for (EventKind k : c.events)
        h.Add(w->name, c.name, k, [&log, k, name = std::string(c.name)](Event&) {
          log.push_back(name + "." + EventName(k));
        });
  }
  return h;
}

class Lifecycle : public GuiTest {};

TEST_F(Lifecycle, LoadRaisesCreatedMovedResizedOnceAfterEveryControlExists) {
  // The main window as the program defines it, with Resized bound as well.
  WindowDef main = *ProgramWindows()[0];
  main.events.push_back(EventKind::Resized);
  std::vector<std::string> log;
  HandlerRegistry handlers = Recorder(log);
  handlers.Add("主窗口", nullptr, EventKind::Resized, [&](Event&) { log.push_back("Resized"); });
  size_t controlsAtCreated = 0;
  handlers.Add("主窗口", nullptr, EventKind::Created, [&](Event& ev) {
    log.push_back("Created");
    for (auto& c : ev.window.controls()) controlsAtCreated += c->hwnd() != nullptr;
  });
  layer = std::make_unique<WindowLayer>(handlers, std::vector<const WindowDef*>{&main});
  ASSERT_TRUE(layer->LoadWindow("主窗口"));
  Pump();
  ASSERT_GE(log.size(), 3u);
  // Nothing before Created: no control event while the controls were made.
  EXPECT_EQ(log[0], "Created");
  EXPECT_EQ(log[1], "Moved");
  EXPECT_EQ(log[2], "Resized");
  EXPECT_EQ(std::count(log.begin(), log.end(), "Created"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Moved"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Resized"), 1);
  Window& w = *layer->Find("主窗口");
  size_t native = 0;
  for (auto& c : w.controls()) native += c->hwnd() != nullptr;
  EXPECT_EQ(controlsAtCreated, native);
  EXPECT_GT(native, 20u);
}

TEST_F(Lifecycle, MainWindowIsCentredBorderlessAndInTheTaskbar) {
  Window& w = LoadMain();
  RECT r;
  GetWindowRect(w.hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 529);
  EXPECT_EQ(r.bottom - r.top, 366);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 529) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 366) / 2);
  LONG style = GetWindowLongW(w.hwnd(), GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongW(w.hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(w.hwnd(), GW_OWNER), nullptr);
  wchar_t title[32];
  GetWindowTextW(w.hwnd(), title, 32);
  EXPECT_EQ(std::wstring(title), L"\u781A\u821F\u5DE5\u5177");  // 砚舟工具
}

TEST_F(Lifecycle, WindowsWithoutTaskbarButtonAreOwnedByTheToolWindow) {
  MakeLayer();
  ASSERT_TRUE(layer->LoadWindow("关于窗口"));
  Window* about = layer->Find("关于窗口");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about->hwnd(), GW_OWNER), layer->toolWindow());
  EXPECT_TRUE(GetWindowLongW(about->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Lifecycle, SecondLoadActivatesOrRestoresInsteadOfCreating) {
  std::vector<std::string> log;
  HandlerRegistry handlers = Recorder(log);
  Window& w = LoadMain(handlers);
  HWND first = w.hwnd();
  ShowWindow(first, SW_MINIMIZE);
  Pump();
  ASSERT_TRUE(IsIconic(first));
  ASSERT_TRUE(layer->LoadWindow("主窗口"));
  Pump();
  EXPECT_FALSE(IsIconic(first));
  EXPECT_EQ(layer->Find("主窗口")->hwnd(), first);
  EXPECT_EQ(layer->windows().size(), 1u);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Created"), 1);
}

TEST_F(Lifecycle, PendingDestroyIsCarriedOutBeforeANewLoad) {
  std::vector<std::string> log;
  HandlerRegistry handlers = Recorder(log);
  Window& w = LoadMain(handlers);
  HWND first = w.hwnd();
  layer->DestroyUnit(w);
  ASSERT_TRUE(layer->LoadWindow("主窗口"));  // before the request was handled
  EXPECT_FALSE(IsWindow(first));
  Window* again = layer->Find("主窗口");
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again->hwnd(), first);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Destroying"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Created"), 2);
  Pump();  // the old request finds nothing to destroy
  EXPECT_NE(layer->Find("主窗口"), nullptr);
}

TEST_F(Lifecycle, FocusStartsAtConvertButtonAndTabVisitsTheShowingPage) {
  Window& w = LoadMain();
  auto nameOfFocus = [&]() -> std::string {
    Control* c = w.ControlFromHwnd(GetFocus());
    return c ? c->name() : "(none)";
  };
  ASSERT_EQ(nameOfFocus(), "按钮_转换");
  const std::vector<std::string> forward = {
      "选择框_置顶窗口", "编辑框_文本框", "按钮_字节集到文本", "按钮_字节集清空",
      "按钮_字节集框复制", "选择框_字节集添加到文本", "编辑框_字节集框", "按钮_转换",
  };
  for (const std::string& want : forward) {
    PressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(nameOfFocus(), want);
  }
  PressKey(GetFocus(), VK_TAB, /*shift=*/true);
  EXPECT_EQ(nameOfFocus(), "编辑框_字节集框");
  // Another page: its stops take the place of page 1's.
  w.Get<PageControl>("高级选择夹1").SetCurrent(4);
  SetFocus(w.Get<EditBox>("编辑框_文本框").hwnd());
  PressKey(GetFocus(), VK_TAB);
  EXPECT_EQ(nameOfFocus(), "按钮_BASE64编码到文本");
}

TEST_F(Lifecycle, TabInTheMultiLineBoxMovesFocusInsteadOfTyping) {
  Window& w = LoadMain();
  auto& box = w.Get<EditBox>("编辑框_文本框");
  SetFocus(box.hwnd());
  PressKey(box.hwnd(), VK_TAB);
  EXPECT_NE(GetFocus(), box.hwnd());
  EXPECT_EQ(box.Wide(), u"");
}

TEST_F(Lifecycle, EscInTheMultiLineBoxClosesTheWindowAndTheProgramEnds) {
  std::vector<std::string> log;
  HandlerRegistry handlers = Recorder(log);
  Window& w = LoadMain(handlers);
  auto& box = w.Get<EditBox>("编辑框_文本框");
  SetFocus(box.hwnd());
  PostMessageW(box.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  // A safety net: a hung loop ends with 99 instead of hanging the test.
  SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); });
  EXPECT_EQ(layer->Run(), 0);
  EXPECT_TRUE(layer->windows().empty());
  EXPECT_EQ(std::count(log.begin(), log.end(), "Destroying"), 1);
}

TEST_F(Lifecycle, EnterInTheMultiLineBoxInsertsALineBreak) {
  Window& w = LoadMain();
  auto& box = w.Get<EditBox>("编辑框_文本框");
  SetFocus(box.hwnd());
  PostMessageW(box.hwnd(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(box.Wide(), u"\r\n");
  EXPECT_NE(layer->Find("主窗口"), nullptr);
}

TEST_F(Lifecycle, LeftPressOnTheBackgroundDragsTheWindow) {
  Window& w = LoadMain();
  RECT before;
  GetWindowRect(w.hwnd(), &before);
  PostMessageW(w.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 20));
  PostMessageW(w.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(45, 50));
  PostMessageW(w.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(45, 50));
  Pump();
  RECT after;
  GetWindowRect(w.hwnd(), &after);
  EXPECT_EQ(after.left - before.left, 40);
  EXPECT_EQ(after.top - before.top, 30);
}

TEST_F(Lifecycle, LeftPressOnAnEditBoxDoesNotDrag) {
  Window& w = LoadMain();
  HWND box = w.Get<EditBox>("编辑框_文本框").hwnd();
  RECT before;
  GetWindowRect(w.hwnd(), &before);
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(45, 35));
  PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(45, 35));
  Pump();
  RECT after;
  GetWindowRect(w.hwnd(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
}

TEST_F(Lifecycle, KeyDownHandlerReturningFalseSwallowsTheKey) {
  int presses = 0;
  HandlerRegistry refusing;
  refusing.Add("主窗口", "编辑框_文本框", EventKind::KeyDown, [&](Event& ev) {
    ++presses;
    ev.Return(0);
  });
  Window& w = LoadMain(refusing);
  auto& box = w.Get<EditBox>("编辑框_文本框");
  SetFocus(box.hwnd());
  PressKey(box.hwnd(), VK_RETURN);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(box.Wide(), u"");
}

TEST_F(Lifecycle, EndProgramFromAnotherThreadRunsTheExitSequenceOnTheUiThread) {
  LoadMain();
  std::thread([&] { layer->EndProgram(7); }).join();
  EXPECT_TRUE(exitCodes.empty());
  PumpUntil([&] { return !exitCodes.empty(); }, 5000);
  ASSERT_EQ(exitCodes.size(), 1u);
  EXPECT_EQ(exitCodes[0], 7);
  EXPECT_FALSE(layer->EventsOn());
}

// What the nested loop of a modal load sees, from a thread timer inside it.
struct ModalProbe {
  static inline HWND main = nullptr, modal = nullptr;
  static inline bool mainEnabled = true;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    mainEnabled = IsWindowEnabled(main) != FALSE;
    PostMessageW(modal, WM_CLOSE, 0, 0);
  }
};

TEST_F(Lifecycle, ModalLoadDisablesTaskbarWindowsUntilItIsClosed) {
  HandlerRegistry handlers;
  HWND owner = nullptr;
  handlers.Add("关于窗口", nullptr, EventKind::Created, [&](Event& ev) {
    owner = GetWindow(ev.window.hwnd(), GW_OWNER);
    ModalProbe::modal = ev.window.hwnd();
    SetTimer(nullptr, 0, 50, &ModalProbe::Tick);
  });
  Window& main = LoadMain(handlers);
  ModalProbe::main = main.hwnd();
  ASSERT_TRUE(layer->LoadWindow("关于窗口", &main, /*modal=*/true));
  // Returned only after the modal window was closed.
  EXPECT_EQ(layer->Find("关于窗口"), nullptr);
  EXPECT_FALSE(ModalProbe::mainEnabled);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
  EXPECT_EQ(owner, layer->toolWindow());  // the owner given is ignored
}

TEST_F(Lifecycle, IdleIsRaisedWhileAHandlerAsksForMore) {
  WindowDef main = *ProgramWindows()[0];
  main.events.push_back(EventKind::Idle);
  HandlerRegistry handlers;
  int calls = 0;
  handlers.Add("主窗口", nullptr, EventKind::Idle, [&](Event& ev) {
    ++calls;
    ev.Return(calls < 5);
    if (calls == 5) PostQuitMessage(3);
  });
  layer = std::make_unique<WindowLayer>(handlers, std::vector<const WindowDef*>{&main});
  ASSERT_TRUE(layer->LoadWindow("主窗口"));
  Pump();
  EXPECT_EQ(layer->Run(), 3);
  EXPECT_EQ(calls, 5);
}

TEST_F(Lifecycle, EnterClicksTheDefaultPushButtonOrMovesTheFocus) {
  WindowDef form{.name = "表单", .rect = {0, 0, 200, 120}, .title = "表单", .position = 1};
  form.controls = {
      ControlDef{.name = "编辑框1", .rect = {10, 10, 100, 20}, .settings = EditBoxSettings{}, .tabStop = true},
      ControlDef{.name = "按钮1", .rect = {10, 40, 60, 24}, .settings = PushButtonSettings{.caption = "普通"},
                 .events = {EventKind::Clicked}, .tabStop = true},
      ControlDef{.name = "按钮2", .rect = {80, 40, 60, 24},
                 .settings = PushButtonSettings{.isDefault = true, .caption = "默认"},
                 .events = {EventKind::Clicked}, .tabStop = true},
  };
  WindowDef moving = form;
  moving.name = "移动";
  moving.enterMovesFocus = true;
  moving.controls[2].settings = PushButtonSettings{.caption = "普通"};
  std::vector<std::string> clicks;
  HandlerRegistry handlers;
  for (const char* w : {"表单", "移动"})
    for (const char* b : {"按钮1", "按钮2"})
      handlers.Add(w, b, EventKind::Clicked, [&clicks, b](Event&) { clicks.push_back(b); });
  layer = std::make_unique<WindowLayer>(handlers, std::vector<const WindowDef*>{&form, &moving});

  ASSERT_TRUE(layer->LoadWindow("表单"));
  Window& w = *layer->Find("表单");
  HWND edit = w.FindControl("编辑框1")->hwnd();
  SetFocus(edit);
  PressKey(edit, VK_RETURN);
  EXPECT_EQ(clicks, std::vector<std::string>{"按钮2"});
  layer->Find("表单")->Destroy();

  ASSERT_TRUE(layer->LoadWindow("移动"));
  Window& m = *layer->Find("移动");
  HWND edit2 = m.FindControl("编辑框1")->hwnd();
  SetFocus(edit2);
  PressKey(edit2, VK_RETURN);
  EXPECT_EQ(clicks.size(), 1u);  // no default button here: the focus moved on
  EXPECT_NE(GetFocus(), edit2);
}

TEST_F(Lifecycle, KeepOnTopFollowsItsCheckBox) {
  Window& w = LoadMain();
  auto& box = w.Get<CheckBox>("选择框_置顶窗口");
  box.Click();
  EXPECT_TRUE(GetWindowLongW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  box.Click();
  EXPECT_FALSE(GetWindowLongW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
}  // namespace yz
