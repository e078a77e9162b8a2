#include "shell/controls/drawing_panel.h"

#include "services/encoding.h"
#include "shell/controls/canvas.h"
#include "shell/window.h"

namespace yz {
namespace {

constexpr wchar_t kPanelClass[] = L"YzDrawingPanel";

}  // namespace

DrawingPanel::DrawingPanel(Window& window, const ControlDef& def)
    : PaintedControl(window, def), settings_(std::get<DrawingPanelSettings>(def.settings)) {}

bool DrawingPanel::Create(HWND parent) {
  if (!RegisterControlClass(kPanelClass, CS_DBLCLKS)) return false;
  if (!CreateNative(kPanelClass, WS_CLIPCHILDREN, 0, parent)) return false;
  ApplyFont(settings_.font);
  background_ = win::Brush{CreateSolidBrush(ToColorRef(settings_.background))};
  return static_cast<bool>(background_);
}

int DrawingPanel::TextHeight(const AnsiText& text) const {
  if (!hwnd_) return 0;
  win::WindowDc dc(hwnd_);
  if (!dc.get()) return 0;
  win::Selection selected(dc.get(), font());
  WideText wide = AnsiToWide(text);
  RECT r{0, 0, 0, 0};
  // DT_CALCRECT without DT_SINGLELINE counts every line.
  int height = DrawTextW(dc.get(), reinterpret_cast<const wchar_t*>(wide.c_str()), -1, &r,
                         DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  return height > 0 ? height : 0;
}

void DrawingPanel::Paint(HDC target) {
  RECT client;
  if (!GetClientRect(hwnd_, &client)) return;
  Canvas canvas(target, client.right, client.bottom);
  if (!canvas) return;
  FillRect(canvas.dc(), &client, background_.get());
  RECT inner = client;
  DrawBorder(canvas, inner, settings_.border);
  canvas.Present(target);
}

}  // namespace yz
