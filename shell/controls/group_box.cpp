#include "shell/controls/group_box.h"

#include "services/encoding.h"
#include "shell/controls/canvas.h"
#include "shell/window.h"

namespace yz {
namespace {

constexpr wchar_t kGroupClass[] = L"YzGroupBox";
constexpr int kTitleInset = 8;  // from the frame's side to the title
constexpr int kTitleGap = 2;    // background kept either side of the title

}  // namespace

GroupBox::GroupBox(Window& window, const ControlDef& def)
    : PaintedControl(window, def), settings_(std::get<GroupBoxSettings>(def.settings)) {}

bool GroupBox::Create(HWND parent) {
  if (!RegisterControlClass(kGroupClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)) return false;
  if (!CreateNative(kGroupClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, AnsiToWide(settings_.title)))
    return false;
  ApplyFont(settings_.font);
  background_ = win::Brush{CreateSolidBrush(ToColorRef(settings_.background))};
  return static_cast<bool>(background_);
}

RECT GroupBox::TitleRect() const {
  RECT r{};
  WideText title = Wide();
  RECT client;
  if (!GetClientRect(hwnd_, &client)) return r;
  win::WindowDc dc(hwnd_);
  if (!dc.get()) return r;
  win::Selection selected(dc.get(), font());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  if (title.empty()) return r;
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(title.c_str()), static_cast<int>(title.size()),
                        &size);
  int x = kTitleInset;
  if (settings_.titleAlign == Align::Center) x = (client.right - size.cx) / 2;
  if (settings_.titleAlign == Align::Right) x = client.right - kTitleInset - size.cx;
  return RECT{x, 0, x + size.cx, tm.tmHeight};
}

RECT GroupBox::FrameRect() const {
  RECT client{};
  if (!GetClientRect(hwnd_, &client)) return client;
  win::WindowDc dc(hwnd_);
  if (!dc.get()) return client;
  win::Selection selected(dc.get(), font());
  TEXTMETRICW tm{};
  if (GetTextMetricsW(dc.get(), &tm)) client.top = tm.tmHeight / 2;
  return client;
}

void GroupBox::Paint(HDC target) {
  RECT client;
  if (!GetClientRect(hwnd_, &client)) return;
  Canvas canvas(target, client.right, client.bottom);
  if (!canvas) return;
  HDC dc = canvas.dc();
  FillRect(dc, &client, background_.get());
  RECT frame = FrameRect();
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  RECT title = TitleRect();
  if (title.right > title.left) {
    RECT gap = title;
    InflateRect(&gap, kTitleGap, 0);
    FillRect(dc, &gap, background_.get());
    WideText text = Wide();
    win::Selection selected(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(settings_.textColor));
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), -1, &title, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
  }
  canvas.Present(target);
}

}  // namespace yz
