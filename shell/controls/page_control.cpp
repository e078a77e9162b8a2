#include "shell/controls/page_control.h"

#include <windowsx.h>

#include <algorithm>

#include "services/encoding.h"
#include "shell/window.h"

namespace yz {
namespace {

constexpr wchar_t kPageClass[] = L"YzPageControl";
constexpr wchar_t kTipClass[] = L"YzTabTip";
constexpr UINT_PTR kRestTimer = 1, kTipTimer = 2;
constexpr int kGradientBands = 64;

void RegisterClasses() {
  static bool done = [] {
    WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPageClass;
    RegisterClassExW(&wc);
    WNDCLASSEXW tip = {};
  tip.cbSize = sizeof tip;
    tip.style = CS_SAVEBITS;
    tip.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_PAINT) {
        win::PaintDc pdc(h);
        RECT r;
        GetClientRect(h, &r);
        FillRect(pdc.get(), &r, GetSysColorBrush(COLOR_INFOBK));
        wchar_t text[256];
        GetWindowTextW(h, text, 256);
        SetBkMode(pdc.get(), TRANSPARENT);
        SetTextColor(pdc.get(), GetSysColor(COLOR_INFOTEXT));
        win::Selection font(pdc.get(), GetStockObject(DEFAULT_GUI_FONT));
        InflateRect(&r, -3, -2);
        DrawTextW(pdc.get(), text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        return 0;
      }
      if (m == WM_NCHITTEST) return HTTRANSPARENT;
      return DefWindowProcW(h, m, w, l);
    };
    tip.hInstance = GetModuleHandleW(nullptr);
    tip.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    tip.lpszClassName = kTipClass;
    RegisterClassExW(&tip);
    return true;
  }();
  (void)done;
}

COLORREF Blend(COLORREF a, COLORREF b, int num, int den) {
  auto mix = [&](int x, int y) { return x + (y - x) * num / den; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

}  // namespace

PageControl::PageControl(Window& window, const ControlDef& def)
    : Control(window, def), settings_(std::get<PageControlSettings>(def.settings)) {
  for (const PageDef& p : settings_.pages) captions_.push_back(p.title);
}

bool PageControl::Create(HWND parent) {
  RegisterClasses();
  if (!CreateNative(kPageClass, WS_CLIPSIBLINGS, 0, parent)) return false;
  // The tab font keeps its stored character set.
  font_ = MakeFont(settings_.font, false);
  Layout();
  return true;
}

void PageControl::Layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  int strip = client.right;
  win::WindowDc dc(hwnd_);
  win::Selection sel(dc.get(), font_.get());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  rowHeight_ = std::max(settings_.rowHeight, static_cast<int>(tm.tmHeight));
  tabs_.clear();
  int x = 0, row = 0;
  for (const AnsiText& caption : captions_) {
    WideText w = AnsiToWide(caption);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(w.c_str()), static_cast<int>(w.size()), &size);
    int width = std::clamp(static_cast<int>(size.cx) + 11, 50, std::max(strip, 50));
    if (settings_.multiRow && x > 0 && x + width > strip) {
      ++row;
      x = 0;
    }
    tabs_.push_back(RECT{x, row * rowHeight_, x + width, (row + 1) * rowHeight_});
    x += width;
  }
  rows_ = row + 1;
}

COLORREF PageControl::CaptionColor(int page) const {
  if (!IsEnabled()) return ToColorRef(settings_.disabledText);
  if (page == hot_) return ToColorRef(settings_.hotText);
  if (page == current_) return ToColorRef(settings_.currentText);
  return ToColorRef(settings_.restText);
}

COLORREF PageControl::TopColor(int page) const {
  if (page == current_) return ToColorRef(settings_.currentTop);
  if (page == hot_) return ToColorRef(settings_.hotTop);
  return ToColorRef(settings_.restTop);
}

void PageControl::Paint(HDC target) {
  RECT client;
  GetClientRect(hwnd_, &client);
  win::MemoryDc mem(target);
  win::Bitmap bitmap{CreateCompatibleBitmap(target, client.right, client.bottom)};
  win::Selection bmp(mem.get(), bitmap.get());
  HDC dc = mem.get();
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  win::Pen framePen{CreatePen(PS_SOLID, 1, ToColorRef(settings_.frame))};
  win::Selection pen(dc, framePen.get());
  win::Selection font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  // The page area's frame, below the tab rows.
  int pageTop = rows_ * rowHeight_;
  {
    win::Selection brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, pageTop - 1, client.right, client.bottom);
  }
  for (int page = 1; page <= PageCount(); ++page) {
    RECT r = TabRect(page);
    // Vertical gradient of 64 bands from the top colour down to the face.
    COLORREF top = TopColor(page);
    int height = r.bottom - r.top;
    // Band b covers the rows from ceil(height * b / 64): the top row has the top colour.
    auto bandTop = [&](int band) { return r.top + (height * band + kGradientBands - 1) / kGradientBands; };
    for (int band = 0; band < kGradientBands; ++band) {
      RECT b{r.left, bandTop(band), r.right, bandTop(band + 1)};
      if (b.bottom <= b.top) continue;
      win::Brush fill{CreateSolidBrush(Blend(top, face, band, kGradientBands - 1))};
      FillRect(dc, &b, fill.get());
    }
    MoveToEx(dc, r.left, r.bottom - (page == current_ ? 0 : 1), nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    LineTo(dc, r.right - 1, r.bottom - (page == current_ ? 0 : 1));
    if (page == current_) {
      // The current tab opens into its page.
      win::Pen facePen{CreatePen(PS_SOLID, 1, face)};
      win::Selection fp(dc, facePen.get());
      MoveToEx(dc, r.left + 1, pageTop - 1, nullptr);
      LineTo(dc, r.right - 1, pageTop - 1);
    }
    SetTextColor(dc, CaptionColor(page));
    WideText caption = AnsiToWide(Caption(page));
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(caption.c_str()), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

int PageControl::HitTest(POINT p) const {
  for (int page = 1; page <= PageCount(); ++page) {
    RECT r = TabRect(page);
    if (PtInRect(&r, p)) return page;
  }
  return 0;
}

void PageControl::SetCurrent(int page) {
  if (page < 1 || page > PageCount() || page == current_) return;
  HWND focus = GetFocus();
  bool focusLeaves = false;
  current_ = page;
  for (auto& c : window().controls()) {
    if (!c->hwnd() || !c->def().parent || std::string_view(c->def().parent) != name()) continue;
    bool show = c->def().visible && c->def().page == page;
    if (!show && (c->hwnd() == focus || IsChild(c->hwnd(), focus))) focusLeaves = true;
    ShowWindow(c->hwnd(), show ? SW_SHOWNA : SW_HIDE);
  }
  if (focusLeaves) window().MoveFocus(true);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

bool PageControl::SetPageCaption(int index, const AnsiText& caption) {
  if (index < 0 || index >= PageCount()) return false;
  captions_[static_cast<size_t>(index)] = caption;
  Layout();
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

bool PageControl::TooltipShowing() const { return tip_ && IsWindowVisible(tip_.get()); }

AnsiText PageControl::TooltipText() const {
  if (!TooltipShowing() || tipPage_ < 1) return {};
  return settings_.pages[static_cast<size_t>(tipPage_ - 1)].tooltip;
}

void PageControl::HideTooltip(bool untilMoved) {
  KillTimer(hwnd_, kRestTimer);
  KillTimer(hwnd_, kTipTimer);
  if (tip_) ShowWindow(tip_.get(), SW_HIDE);
  if (untilMoved) tipSuppressed_ = true;
}

void PageControl::ShowTooltip() {
  KillTimer(hwnd_, kRestTimer);
  if (hot_ < 1 || tipSuppressed_) return;
  const char* text = settings_.pages[static_cast<size_t>(hot_ - 1)].tooltip;
  if (!*text) return;
  if (!tip_) {
    tip_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTipClass, L"",
                               WS_POPUP | WS_BORDER, 0, 0, 0, 0, window().hwnd(), nullptr, GetModuleHandleW(nullptr),
                               nullptr));
    if (!tip_) return;
  }
  WideText w = AnsiToWide(text);
  SetWindowTextW(tip_.get(), reinterpret_cast<const wchar_t*>(w.c_str()));
  SIZE size{};
  {
    win::WindowDc dc(tip_.get());
    win::Selection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(w.c_str()), static_cast<int>(w.size()), &size);
  }
  POINT cursor;
  GetCursorPos(&cursor);
  SetWindowPos(tip_.get(), HWND_TOPMOST, cursor.x + 12, cursor.y + 20, size.cx + 8, size.cy + 6,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(tip_.get(), nullptr, TRUE);
  tipPage_ = hot_;
  SetTimer(hwnd_, kTipTimer, static_cast<UINT>(settings_.tooltipVisibleMs), nullptr);
}

void PageControl::OnMouseMove(POINT p) {
  if (p.x == lastMouse_.x && p.y == lastMouse_.y) return;  // not a move
  lastMouse_ = p;
  if (!tracking_) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
    tracking_ = TrackMouseEvent(&tme) != FALSE;
  }
  HideTooltip(false);
  tipSuppressed_ = false;
  int hot = HitTest(p);
  if (hot != hot_) {
    hot_ = hot;
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  if (hot_) SetTimer(hwnd_, kRestTimer, static_cast<UINT>(settings_.tooltipDelayMs), nullptr);
}

void PageControl::OnWindowInput() {
  if (hwnd_) HideTooltip(true);
}

std::optional<LRESULT> PageControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      win::PaintDc dc(hwnd_);
      Paint(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Layout();
      break;
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      lastMouse_ = {-1, -1};
      HideTooltip(false);
      if (hot_) {
        hot_ = 0;
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN: {
      int page = HitTest({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      if (page) SetCurrent(page);
      return 0;
    }
    case WM_TIMER:
      if (wp == kRestTimer) ShowTooltip();
      else if (wp == kTipTimer) HideTooltip(false);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
  }
  return Control::OnMessage(msg, wp, lp);
}

}  // namespace yz
