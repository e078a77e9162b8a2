#include "shell/operations.h"

#include "shell/controls/drawing_panel.h"
#include "shell/controls/drop_target.h"
#include "shell/controls/page_control.h"

namespace yz {
namespace {

// Moves `hwnd` within `parent`'s client area (the screen when null).
void Move(HWND hwnd, std::optional<int> left, std::optional<int> top, std::optional<int> width,
          std::optional<int> height) {
  if (!hwnd) return;
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return;
  HWND parent = (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  int x = left.value_or(r.left), y = top.value_or(r.top);
  int w = width && *width != -1 ? *width : r.right - r.left;
  int h = height && *height != -1 ? *height : r.bottom - r.top;
  if (x == r.left && y == r.top && w == r.right - r.left && h == r.bottom - r.top) return;
  SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool LoadWindow(WindowLayer& layer, std::string_view window, Window* parent, bool modal) {
  return layer.LoadWindow(window, parent, modal);
}

void DestroyUnit(Window& window) { window.layer().DestroyUnit(window); }

void DestroyUnit(Control& control) { control.window().DestroyControl(control); }

void FocusControl(Control& control) {
  if (control.hwnd()) SetFocus(control.hwnd());
}

void MoveControl(Window& window, std::optional<int> left, std::optional<int> top, std::optional<int> width,
                 std::optional<int> height) {
  Move(window.hwnd(), left, top, width, height);
}

void MoveControl(Control& control, std::optional<int> left, std::optional<int> top, std::optional<int> width,
                 std::optional<int> height) {
  Move(control.hwnd(), left, top, width, height);
}

std::intptr_t WindowHandle(const Window& window) { return reinterpret_cast<std::intptr_t>(window.hwnd()); }

std::intptr_t WindowHandle(const Control& control) { return reinterpret_cast<std::intptr_t>(control.hwnd()); }

int TextHeight(Control& panel, const AnsiText& text) {
  auto* p = dynamic_cast<DrawingPanel*>(&panel);
  return p ? p->TextHeight(text) : 0;
}

void ProcessEvents(WindowLayer& layer) { layer.ProcessEvents(); }

bool RegisterDropTarget(Control& control, std::intptr_t window) {
  auto* target = dynamic_cast<DropTarget*>(&control);
  return target && target->Register(reinterpret_cast<HWND>(window));
}

bool SetPageCaption(Control& pageControl, int index, const AnsiText& caption) {
  auto* pages = dynamic_cast<PageControl*>(&pageControl);
  return pages && pages->SetPageCaption(index, caption);
}

}  // namespace yz
