#include "shell/window.h"

#include <windowsx.h>

#include <algorithm>

#include "services/encoding.h"
#include "shell/controls/factory.h"
#include "shell/controls/push_button.h"
#include "shell/window_layer.h"

namespace yz {
namespace {

constexpr wchar_t kWindowClass[] = L"YzWindow";

struct Styles {
  DWORD style, exStyle;
};

// Frame, caption and taskbar of a window definition.
Styles StylesFor(const WindowDef& d) {
  DWORD style = WS_CLIPCHILDREN, ex = 0;
  if (d.borderStyle == 0) {
    style |= WS_POPUP;
    if (d.minButton) style |= WS_MINIMIZEBOX | WS_SYSMENU;  // the taskbar button can minimise it
  } else {
    bool resizable = d.borderStyle == 1 || d.borderStyle == 3 || d.borderStyle == 5;
    style |= WS_BORDER;
    if (resizable) style |= WS_THICKFRAME;
    if (d.borderStyle == 3 || d.borderStyle == 4) ex |= WS_EX_TOOLWINDOW;
    if (d.borderStyle == 5 || d.borderStyle == 6) ex |= WS_EX_CLIENTEDGE;
    if (*d.title || d.controlBox) style |= WS_CAPTION;
    if (d.controlBox) style |= WS_SYSMENU;
    if (d.minButton) style |= WS_MINIMIZEBOX;
    if (d.maxButton) style |= WS_MAXIMIZEBOX;
  }
  if (d.alwaysOnTop) ex |= WS_EX_TOPMOST;
  if (d.showInTaskbar) ex |= WS_EX_APPWINDOW;
  return {style, ex};
}

bool RegisterWindowClass(WNDPROC proc) {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(wc.hInstance, L"DEFAULT_ICON");
  if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kWindowClass;
  registered = RegisterClassExW(&wc) != 0;
  return registered;
}

int KeyState(WPARAM mouseKeys) {
  int state = 0;
  if (mouseKeys & MK_CONTROL) state |= kKeyCtrl;
  if (mouseKeys & MK_SHIFT) state |= kKeyShift;
  if (GetKeyState(VK_MENU) < 0) state |= kKeyAlt;
  return state;
}

int KeyboardState() {
  int state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= kKeyCtrl;
  if (GetKeyState(VK_SHIFT) < 0) state |= kKeyShift;
  if (GetKeyState(VK_MENU) < 0) state |= kKeyAlt;
  return state;
}

HWND ChildOf(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY: return reinterpret_cast<NMHDR*>(lp)->hwndFrom;
    case WM_DRAWITEM: return reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: return reinterpret_cast<HWND>(lp);
    case WM_VSCROLL:
    case WM_HSCROLL: return reinterpret_cast<HWND>(lp);
  }
  (void)wp;
  return nullptr;
}

}  // namespace

Window::Window(WindowLayer& layer, const ResolvedWindow& resolved)
    : layer_(layer), resolved_(resolved), alwaysOnTop_(resolved.def->alwaysOnTop) {}

Window::~Window() {
  if (hwnd_) {
    HWND h = std::exchange(hwnd_, nullptr);
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    DestroyWindow(h);
  }
}

bool Window::Create(HWND owner) {
  if (!RegisterWindowClass(&Proc)) return false;
  const WindowDef& d = def();
  Styles s = StylesFor(d);
  int left = d.rect.left, top = d.rect.top;
  if (d.position == 1) {
    left = (GetSystemMetrics(SM_CXSCREEN) - d.rect.width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - d.rect.height) / 2;
  }
  background_ = win::Brush{CreateSolidBrush(ToColorRef(d.background))};
  WideText title = AnsiToWide(d.title);
  HWND h = CreateWindowExW(s.exStyle, kWindowClass, reinterpret_cast<const wchar_t*>(title.c_str()), s.style,
                           left, top, d.rect.width, d.rect.height, owner, nullptr, GetModuleHandleW(nullptr), this);
  if (!h) return false;
  if (!d.movable) DeleteMenu(GetSystemMenu(h, FALSE), SC_MOVE, MF_BYCOMMAND);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (!CreateControls()) {
    controls_.clear();
    byHwnd_.clear();
    HWND gone = std::exchange(hwnd_, nullptr);
    SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
    DestroyWindow(gone);
    return false;
  }
  return true;
}

bool Window::CreateControls() {
  const WindowDef& d = def();
  controls_.reserve(d.controls.size());
  for (const ControlDef& cd : d.controls) controls_.push_back(MakeControl(*this, cd));
  // A child may be listed before its container: each round creates the
  // controls whose container exists by then.
  std::vector<bool> done(controls_.size(), false);
  for (bool progress = true; progress;) {
    progress = false;
    for (size_t i = 0; i < controls_.size(); ++i) {
      if (done[i]) continue;
      Control& c = *controls_[i];
      const ControlDef& cd = c.def();
      HWND parent = hwnd_;
      bool showing = true;
      if (cd.parent) {
        auto container = std::find_if(controls_.begin(), controls_.end(),
                                      [&](auto& x) { return std::string_view(cd.parent) == x->name(); });
        if (container == controls_.end()) {
          parent = nullptr;
        } else {
          size_t at = static_cast<size_t>(container - controls_.begin());
          if (!done[at]) continue;  // a later round
          parent = (*container)->ChildHost(cd.page);
          showing = (*container)->ShowsPage(cd.page);
        }
      }
      done[i] = progress = true;
      // A child of a container that has no window stays a definition.
      if (parent && !c.Create(parent)) return false;
      if (c.hwnd()) {
        byHwnd_[c.hwnd()] = &c;
        if (cd.visible && showing) ShowWindow(c.hwnd(), SW_SHOWNA);
      }
    }
  }
  // Stacking: the first-listed control of each parent on top, each further
  // one directly beneath the one listed before it.
  std::map<HWND, HWND> above;  // parent → last placed child
  for (auto& c : controls_) {
    if (!c->hwnd()) continue;
    HWND parent = GetParent(c->hwnd());
    auto it = above.find(parent);
    SetWindowPos(c->hwnd(), it == above.end() ? HWND_TOP : it->second, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above[parent] = c->hwnd();
  }
  return true;
}

Control* Window::FindControl(std::string_view name) const {
  for (auto& c : controls_)
    if (name == c->name()) return c.get();
  return nullptr;
}

Control* Window::ControlFromHwnd(HWND h) const {
  for (; h && h != hwnd_; h = GetParent(h)) {
    auto it = byHwnd_.find(h);
    if (it != byHwnd_.end()) return it->second;
  }
  return nullptr;
}

bool Window::HasHandler(Control* control, EventKind kind) const {
  size_t k = static_cast<size_t>(kind);
  if (!control) return resolved_.window[k] != nullptr;
  size_t index = static_cast<size_t>(&control->def() - def().controls.data());
  return index < resolved_.controls.size() && resolved_.controls[index][k] != nullptr;
}

Event Window::Raise(Control* control, EventKind kind, std::initializer_list<std::intptr_t> args, std::string text) {
  Event ev{*this, control, kind};
  ev.text = std::move(text);
  for (std::intptr_t a : args) {
    if (ev.argCount == 5) break;
    ev.args[static_cast<size_t>(ev.argCount++)] = a;
  }
  if (!layer_.EventsOn()) return ev;
  size_t k = static_cast<size_t>(kind);
  const Handler* h = nullptr;
  if (!control) {
    h = resolved_.window[k];
  } else {
    size_t index = static_cast<size_t>(&control->def() - def().controls.data());
    if (index < resolved_.controls.size()) h = resolved_.controls[index][k];
  }
  if (h && *h) (*h)(ev);
  return ev;
}

std::vector<Control*> Window::FocusOrder() const {
  std::vector<Control*> order;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* c = it->get();
    if (c->def().tabStop && c->IsVisible() && c->IsEnabled()) order.push_back(c);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](Control* a, Control* b) { return a->def().tabOrder < b->def().tabOrder; });
  return order;
}

void Window::MoveFocus(bool forward) {
  std::vector<Control*> order = FocusOrder();
  if (order.empty()) return;
  Control* focused = ControlFromHwnd(GetFocus());
  auto it = std::find(order.begin(), order.end(), focused);
  size_t n = order.size(), next;
  if (it == order.end()) {
    next = forward ? 0 : n - 1;
  } else {
    size_t i = static_cast<size_t>(it - order.begin());
    next = forward ? (i + 1) % n : (i + n - 1) % n;
  }
  SetFocus(order[next]->hwnd());
}

void Window::FocusFirstOrRemembered() {
  if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
    SetFocus(lastFocus_);
    return;
  }
  std::vector<Control*> order = FocusOrder();
  if (!order.empty()) SetFocus(order.front()->hwnd());
}

void Window::OnActivate(bool active) {
  if (!active) {
    HWND f = GetFocus();
    if (f && ControlFromHwnd(f)) lastFocus_ = f;
    Raise(nullptr, EventKind::Deactivated);
    return;
  }
  Raise(nullptr, EventKind::Activated);
  if (!firstActivated_) {
    firstActivated_ = true;
    Raise(nullptr, EventKind::FirstActivated);
  }
}

void Window::DestroyControl(Control& control) {
  // The control and everything whose parent chain leads to it.
  auto within = [&](const Control& c) {
    for (const Control* at = &c; at;) {
      if (at == &control) return true;
      at = at->def().parent ? FindControl(at->def().parent) : nullptr;
    }
    return false;
  };
  std::vector<Control*> doomed;
  for (auto& c : controls_)
    if (within(*c)) doomed.push_back(c.get());
  for (Control* c : doomed) {
    c->OnWindowDestroying();
    if (c->hwnd()) byHwnd_.erase(c->hwnd());
  }
  if (control.hwnd()) DestroyWindow(control.hwnd());
  for (auto it = controls_.begin(); it != controls_.end();) {
    if (std::find(doomed.begin(), doomed.end(), it->get()) == doomed.end()) {
      ++it;
      continue;
    }
    retired_.push_back(std::move(*it));
    it = controls_.erase(it);
  }
}

void Window::RequestClose() {
  if (Raise(nullptr, EventKind::QueryClose).Refused()) return;
  Destroy();
}

void Window::Destroy() {
  if (!hwnd_) return;
  RestoreDisabled();
  DestroyWindow(hwnd_);
}

void Window::RestoreDisabled() {
  for (auto [h, enabled] : disabledByModal_)
    if (IsWindow(h)) EnableWindow(h, enabled);
  disabledByModal_.clear();
}

void Window::SetAlwaysOnTop(bool on) {
  alwaysOnTop_ = on;
  if (!hwnd_) return;
  SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (on) return;
  // Windows without a taskbar button that want to be on top stay there.
  for (auto& w : layer_.windows())
    if (w.get() != this && w->alwaysOnTop() && !w->def().showInTaskbar && w->hwnd())
      SetWindowPos(w->hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::optional<LRESULT> Window::Reflect(UINT msg, WPARAM wp, LPARAM lp) {
  HWND child = ChildOf(msg, wp, lp);
  if (!child) return {};
  auto it = byHwnd_.find(child);
  if (it == byHwnd_.end()) return {};
  return it->second->OnParentNotify(msg, wp, lp);
}

bool Window::PreTranslate(MSG& msg) {
  Control* target = ControlFromHwnd(msg.hwnd);
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      for (auto& c : controls_) c->OnWindowInput();
  }
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) return TranslateMouse(msg, target);
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
      return TranslateKey(msg, target);
  }
  return false;
}

bool Window::TranslateMouse(MSG& msg, Control* target) {
  POINT screen{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.message != WM_MOUSEWHEEL) ClientToScreen(msg.hwnd, &screen);
  if (dragging_) {
    if (msg.message == WM_MOUSEMOVE) {
      SetWindowPos(hwnd_, nullptr, dragOrigin_.x + screen.x - dragCursor_.x, dragOrigin_.y + screen.y - dragCursor_.y,
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return true;
    }
    if (msg.message == WM_LBUTTONUP) {
      dragging_ = false;
      ReleaseCapture();
      return true;
    }
  }
  if (msg.message == WM_LBUTTONDOWN && def().dragAnywhere && (!target || target->DragsWindow())) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    dragOrigin_ = {r.left, r.top};
    dragCursor_ = screen;
    dragging_ = true;
    SetCapture(hwnd_);
    return true;
  }
  EventKind kind;
  switch (msg.message) {
    case WM_LBUTTONDOWN: kind = EventKind::LeftButtonDown; break;
    case WM_LBUTTONUP: kind = EventKind::LeftButtonUp; break;
    case WM_LBUTTONDBLCLK: kind = EventKind::DoubleClicked; break;
    case WM_RBUTTONDOWN: kind = EventKind::RightButtonDown; break;
    case WM_RBUTTONUP: kind = EventKind::RightButtonUp; break;
    case WM_MOUSEMOVE: kind = EventKind::MouseMoved; break;
    case WM_MOUSEWHEEL: {
      int steps = GET_WHEEL_DELTA_WPARAM(msg.wParam) / WHEEL_DELTA;
      return Raise(target, EventKind::WheelScrolled, {steps, KeyState(GET_KEYSTATE_WPARAM(msg.wParam))}).Refused();
    }
    default: return false;
  }
  POINT p = screen;
  ScreenToClient(target ? target->hwnd() : hwnd_, &p);
  return Raise(target, kind, {p.x, p.y, KeyState(msg.wParam)}).Refused();
}

bool Window::TranslateKey(MSG& msg, Control* target) {
  if (msg.message == WM_CHAR) {
    Event ev = Raise(target, EventKind::CharInput, {static_cast<std::intptr_t>(msg.wParam)});
    if (!ev.hasResult) return false;
    if (ev.result == 0) return true;
    msg.wParam = static_cast<WPARAM>(ev.result);
    return false;
  }
  bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  auto vk = static_cast<UINT>(msg.wParam);
  if (Raise(target, down ? EventKind::KeyDown : EventKind::KeyUp, {static_cast<std::intptr_t>(vk), KeyboardState()})
          .Refused())
    return true;
  return down && msg.message == WM_KEYDOWN && Navigate(vk, target);
}

bool Window::Navigate(UINT vk, Control* focused) {
  if (focused && focused->ClaimsKey(vk)) return false;
  switch (vk) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
      MoveFocus(GetKeyState(VK_SHIFT) >= 0);
      return true;
    case VK_ESCAPE:
      if (!def().escCloses) return false;
      RequestClose();
      return true;
    case VK_RETURN: {
      // A default push button takes Enter: the focused one, else (unless
      // Enter moves the focus) the first one of the window.
      auto isDefault = [](Control* c) {
        auto* b = dynamic_cast<PushButton*>(c);
        return b && b->isDefault() && b->IsVisible() && b->IsEnabled() ? b : nullptr;
      };
      if (PushButton* b = isDefault(focused)) {
        b->Click();
        return true;
      }
      if (def().enterMovesFocus) {
        MoveFocus(true);
        return true;
      }
      for (auto& c : controls_) {
        if (PushButton* b = isDefault(c.get())) {
          b->Click();
          return true;
        }
      }
      return false;  // Enter goes on to the focused control
    }
  }
  return false;
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Handle(msg, wp, lp);
}

LRESULT Window::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (auto r = Reflect(msg, wp, lp)) return *r;
  switch (msg) {
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_QUERYENDSESSION:
      return !Raise(nullptr, EventKind::QueryClose).Refused();
    case kMsgDestroyUnit:
      Destroy();
      return 0;
    case WM_DESTROY:
      Raise(nullptr, EventKind::Destroying);
      state_.reset();
      for (auto& c : controls_) c->OnWindowDestroying();
      break;
    case WM_NCDESTROY: {
      HWND h = std::exchange(hwnd_, nullptr);
      SetWindowLongPtrW(h, GWLP_USERDATA, 0);
      byHwnd_.clear();
      LRESULT r = DefWindowProcW(h, msg, wp, lp);
      layer_.Forget(*this);  // may free this window once its messages are done
      return r;
    }
    case WM_MOVE:
      Raise(nullptr, EventKind::Moved);
      break;
    case WM_SIZE:
      Raise(nullptr, EventKind::Resized);
      break;
    case WM_SHOWWINDOW:
      Raise(nullptr, wp ? EventKind::Shown : EventKind::Hidden);
      break;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wp) != WA_INACTIVE);
      break;
    case WM_NCACTIVATE:
      if (def().keepCaptionActive) return DefWindowProcW(hwnd_, msg, TRUE, lp);
      break;
    case WM_SETFOCUS:
      FocusFirstOrRemembered();
      if (GetFocus() == hwnd_) Raise(nullptr, EventKind::GotFocus);
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      break;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, background_.get());
      return 1;
    }
    default:
      if (msg >= kMsgFirstUser && msg <= 0xBFFF) {
        auto it = ownMessages_.find(msg);
        if (it != ownMessages_.end()) it->second(wp, lp);
        return 0;
      }
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace yz
