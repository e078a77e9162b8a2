#include "shell/window_layer.h"

#include <algorithm>

namespace yz {
namespace {

constexpr wchar_t kToolClass[] = L"YzToolWindow";

ResolvedWindow::Handlers Resolve(const HandlerRegistry& handlers, const char* window, const char* control,
                                 const std::vector<EventKind>& bound) {
  ResolvedWindow::Handlers out{};
  for (EventKind kind : bound)
    out[static_cast<size_t>(kind)] = handlers.Find(HandlerRegistry::NameFor(window, control, kind));
  return out;
}

}  // namespace

WindowLayer::WindowLayer(const HandlerRegistry& handlers, std::vector<const WindowDef*> definitions)
    : processExit_([](int code) { ExitProcess(static_cast<UINT>(code)); }) {
  for (const WindowDef* def : definitions) {
    auto r = std::make_unique<ResolvedWindow>();
    r->def = def;
    r->window = Resolve(handlers, def->name, nullptr, def->events);
    for (const ControlDef& c : def->controls) r->controls.push_back(Resolve(handlers, def->name, c.name, c.events));
    resolved_.push_back(std::move(r));
  }
  static bool registered = [] {
    WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ToolProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kToolClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  // Owner of every window without a taskbar button; never shown.
  tool_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kToolClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr));
  if (tool_) SetWindowLongPtrW(tool_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WindowLayer::~WindowLayer() {
  exiting_ = true;
  windows_.clear();
  gone_.clear();
  if (tool_) SetWindowLongPtrW(tool_.get(), GWLP_USERDATA, 0);
}

Window* WindowLayer::Find(std::string_view name) const {
  for (auto& w : windows_)
    if (name == w->name()) return w.get();
  return nullptr;
}

// Loading a window:
//  - one that is loaded is activated (restored when minimised), unless a
//    destroy request for it is pending: then it is destroyed now and loaded anew;
//  - the window and its controls are created with events off (loads nest);
//  - Created, Moved and Resized follow, each only while the window still exists;
//  - a visible window is then shown by its position setting;
//  - a modal window is owned by the tool window; every other loaded window
//    without an owner is disabled until it is closed, and only then does this return.
bool WindowLayer::LoadWindow(std::string_view name, Window* owner, bool modal) {
  gone_.clear();
  auto r = std::find_if(resolved_.begin(), resolved_.end(), [&](auto& x) { return name == x->def->name; });
  if (r == resolved_.end()) return false;
  if (Window* loaded = Find(name)) {
    if (!loaded->destroyPending()) {
      HWND h = loaded->hwnd();
      if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
      else if (IsWindowVisible(h)) SetForegroundWindow(h);
      return true;
    }
    loaded->Destroy();
  }
  const WindowDef& def = *(*r)->def;
  HWND ownerHwnd = nullptr;
  if (modal) ownerHwnd = tool_.get();
  else if (owner) ownerHwnd = owner->hwnd();
  else if (!def.showInTaskbar) ownerHwnd = tool_.get();

  windows_.push_back(std::make_unique<Window>(*this, **r));
  Window* w = windows_.back().get();
  bool created;
  {
    EventsOff off(*this);
    created = w->Create(ownerHwnd);
  }
  if (!created) {
    windows_.pop_back();
    return false;
  }
  for (EventKind kind : {EventKind::Created, EventKind::Moved, EventKind::Resized}) {
    if (!w->exists()) return true;
    w->Raise(nullptr, kind);
  }
  if (!w->exists()) return true;
  if (def.visible) {
    int show = SW_SHOWNORMAL;
    if (def.position == 2) show = SW_SHOWMINIMIZED;
    else if (def.position == 3) {
      bool resizable = def.borderStyle == 1 || def.borderStyle == 3 || def.borderStyle == 5;
      if (resizable) show = SW_SHOWMAXIMIZED;
      else SetWindowPos(w->hwnd(), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                        SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(w->hwnd(), show);
    if (show == SW_SHOWNORMAL) SetForegroundWindow(w->hwnd());
  }
  if (modal && w->exists()) {
    DisableForModal(*w);
    RunUntil([&] { return std::none_of(windows_.begin(), windows_.end(), [&](auto& x) { return x.get() == w; }); });
  }
  return true;
}

void WindowLayer::DisableForModal(Window& modal) {
  std::vector<std::pair<HWND, bool>> disabled;
  for (auto& w : windows_) {
    if (w.get() == &modal || !w->hwnd() || GetWindow(w->hwnd(), GW_OWNER)) continue;
    disabled.emplace_back(w->hwnd(), IsWindowEnabled(w->hwnd()) != FALSE);
    EnableWindow(w->hwnd(), FALSE);
  }
  modal.RememberDisabled(std::move(disabled));
}

void WindowLayer::DestroyUnit(Window& window) {
  if (!window.hwnd()) return;
  window.MarkDestroyPending();
  PostMessageW(window.hwnd(), kMsgDestroyUnit, 0, 0);
}

void WindowLayer::Forget(Window& window) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](auto& w) { return w.get() == &window; });
  if (it == windows_.end()) return;
  gone_.push_back(std::move(*it));
  windows_.erase(it);
  if (runMode_ && windows_.empty()) PostQuitMessage(exitCode_);
}

bool WindowLayer::PreTranslate(MSG& msg) {
  if (!msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  for (auto& w : windows_)
    if (w->hwnd() == root) return w->PreTranslate(msg);
  return false;
}

void WindowLayer::Dispatch(MSG& msg) {
  if (!PreTranslate(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  gone_.clear();
}

void WindowLayer::RunUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!done()) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The quit message ends the outer loop too.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    Dispatch(msg);
  }
}

int WindowLayer::Run() {
  runMode_ = true;
  if (windows_.empty()) return exitCode_;
  MSG msg;
  for (;;) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      Idle();
      if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    } else if (msg.message == WM_QUIT) {
      break;
    }
    Dispatch(msg);
  }
  runMode_ = false;
  return static_cast<int>(msg.wParam);
}

// Idle processing: Idle goes to every window that handles it, with the
// milliseconds since idling began, for as long as one of them asks for more
// and no message is waiting.
void WindowLayer::Idle() {
  DWORD start = GetTickCount();
  for (bool more = true; more && !HIWORD(GetQueueStatus(QS_ALLINPUT));) {
    more = false;
    for (size_t i = 0; i < windows_.size(); ++i) {
      Window& w = *windows_[i];
      if (!w.HasHandler(nullptr, EventKind::Idle)) continue;
      Event ev = w.Raise(nullptr, EventKind::Idle, {static_cast<std::intptr_t>(GetTickCount() - start)});
      more = more || (ev.hasResult && ev.result != 0);
    }
  }
}

void WindowLayer::ProcessEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

void WindowLayer::EndProgram(int code) {
  if (GetCurrentThreadId() != uiThread_) {
    PostMessageW(tool_.get(), kMsgEndProgram, static_cast<WPARAM>(code), 0);
    return;
  }
  ExitSequence(code);
}

// Events off, the windows' tray icons removed, the tool window destroyed,
// then the process ends.
void WindowLayer::ExitSequence(int code) {
  ++eventsOff_;
  exiting_ = true;
  exitCode_ = code;
  for (auto& w : windows_) w->ResetState();
  if (tool_) SetWindowLongPtrW(tool_.get(), GWLP_USERDATA, 0);
  tool_.reset();
  processExit_(code);
}

LRESULT CALLBACK WindowLayer::ToolProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* layer = reinterpret_cast<WindowLayer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (layer && msg == kMsgEndProgram) {
    layer->ExitSequence(static_cast<int>(wp));
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace yz
