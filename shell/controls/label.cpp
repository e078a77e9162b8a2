#include "shell/controls/label.h"

#include <algorithm>

#include "services/encoding.h"
#include "shell/controls/canvas.h"
#include "shell/window.h"

namespace yz {
namespace {

constexpr wchar_t kLabelClass[] = L"YzLabel";

}  // namespace

Label::Label(Window& window, const ControlDef& def)
    : PaintedControl(window, def), settings_(std::get<LabelSettings>(def.settings)) {}

bool Label::Create(HWND parent) {
  if (!RegisterControlClass(kLabelClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)) return false;
  if (!CreateNative(kLabelClass, 0, 0, parent, AnsiToWide(settings_.text))) return false;
  ApplyFont(settings_.font);
  picture_ = LoadPicture(settings_.picture);
  return true;
}

void Label::Paint(HDC target) {
  RECT client;
  if (!GetClientRect(hwnd_, &client)) return;
  Canvas canvas(target, client.right, client.bottom);
  if (!canvas) return;
  HDC dc = canvas.dc();
  if (settings_.gradient >= 1 && settings_.gradient <= 8) {
    FillGradient(canvas, settings_.gradient, settings_.gradientColors);
  } else {
    win::Brush bg{CreateSolidBrush(ToColorRef(settings_.background))};
    if (bg) FillRect(dc, &client, bg.get());
  }
  PaintPicture(canvas);
  RECT area = client;
  DrawBorder(canvas, area, settings_.border, settings_.frameWidth, settings_.frameColors);
  PaintText(dc, area);
  canvas.Present(target);
}

void Label::PaintPicture(Canvas& canvas) {
  if (!picture_) return;
  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  if (FAILED(picture_->get_Width(&hmWidth)) || FAILED(picture_->get_Height(&hmHeight))) return;
  HDC dc = canvas.dc();
  // HIMETRIC (0.01 mm) to pixels of this device.
  int w = MulDiv(hmWidth, GetDeviceCaps(dc, LOGPIXELSX), 2540);
  int h = MulDiv(hmHeight, GetDeviceCaps(dc, LOGPIXELSY), 2540);
  if (w <= 0 || h <= 0) return;
  auto draw = [&](int x, int y, int cx, int cy) {
    picture_->Render(dc, x, y, cx, cy, 0, hmHeight, hmWidth, -hmHeight, nullptr);
  };
  switch (settings_.pictureMode) {
    case 1:  // tiled
      for (int y = 0; y < canvas.height(); y += h)
        for (int x = 0; x < canvas.width(); x += w) draw(x, y, w, h);
      break;
    case 2: {  // scaled, aspect kept, centred
      double scale = std::min(static_cast<double>(canvas.width()) / w, static_cast<double>(canvas.height()) / h);
      int cx = static_cast<int>(w * scale), cy = static_cast<int>(h * scale);
      draw((canvas.width() - cx) / 2, (canvas.height() - cy) / 2, cx, cy);
      break;
    }
    default: draw(0, 0, w, h);
  }
}

void Label::PaintText(HDC dc, RECT area) {
  WideText text = Wide();
  if (text.empty()) return;
  auto* p = reinterpret_cast<const wchar_t*>(text.c_str());
  win::Selection selected(dc, font());
  SetBkMode(dc, TRANSPARENT);
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
  flags |= settings_.align == Align::Center ? DT_CENTER : settings_.align == Align::Right ? DT_RIGHT : DT_LEFT;
  bool lineBreaks = text.find_first_of(u"\r\n") != WideText::npos;
  if (settings_.wordWrap) {
    flags |= DT_WORDBREAK | DT_TOP;  // from the top edge, whatever the vertical alignment
  } else if (!lineBreaks) {
    flags |= DT_SINGLELINE;
    flags |= settings_.valign == VAlign::Top ? DT_TOP : settings_.valign == VAlign::Bottom ? DT_BOTTOM : DT_VCENTER;
  } else {
    // Several lines without wrapping: the block as a whole is aligned.
    RECT measure = area;
    DrawTextW(dc, p, -1, &measure, flags | DT_CALCRECT);
    int spare = (area.bottom - area.top) - (measure.bottom - measure.top);
    if (spare > 0 && settings_.valign != VAlign::Top)
      area.top += settings_.valign == VAlign::Bottom ? spare : spare / 2;
  }
  auto drawAt = [&](int dx, int dy, COLORREF color) {
    RECT r = area;
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, color);
    DrawTextW(dc, p, -1, &r, flags);
  };
  COLORREF color = ToColorRef(settings_.textColor);
  switch (settings_.effect) {
    case 1:
      drawAt(-1, -1, RGB(255, 255, 255));
      drawAt(1, 1, GetSysColor(COLOR_BTNSHADOW));
      drawAt(0, 0, color);
      break;
    case 2:
      drawAt(0, 0, RGB(255, 255, 255));
      drawAt(1, 1, color);
      break;
    case 3:
      drawAt(2, 2, RGB(128, 128, 128));
      drawAt(0, 0, color);
      break;
    default: drawAt(0, 0, color);
  }
}

}  // namespace yz
