#include "shell/controls/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "shell/control.h"

namespace yz {

std::optional<LRESULT> PaintedControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      win::PaintDc pdc(hwnd_);
      Paint(pdc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // Paint covers every pixel
    case WM_SETTEXT: {
      LRESULT r = CallDefault(msg, wp, lp);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return r;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font());
    case WM_SETFONT:
      if (lp) InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
  }
  return Control::OnMessage(msg, wp, lp);
}


bool RegisterControlClass(const wchar_t* name, UINT style) {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name, &existing)) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

Canvas::Canvas(HDC like, int width, int height)
    : dc_(like), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  if (!dc_.get()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  previous_ = SelectObject(dc_.get(), bitmap_.get());
  bits_ = static_cast<std::uint32_t*>(bits);
}

Canvas::~Canvas() {
  if (previous_) SelectObject(dc_.get(), previous_);
}

void Canvas::Set(int x, int y, COLORREF c) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
      (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
      GetBValue(c);
}

COLORREF Canvas::Get(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  std::uint32_t v = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void Canvas::Present(HDC target) const {
  if (bits_) BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

COLORREF Blend3(COLORREF c0, COLORREF c1, COLORREF c2, double t) {
  t = std::clamp(t, 0.0, 1.0);
  COLORREF a = c0, b = c1;
  double u = t * 2;
  if (t > 0.5) {
    a = c1;
    b = c2;
    u = t * 2 - 1;
  }
  auto mix = [u](int x, int y) { return static_cast<BYTE>(std::lround(x + (y - x) * u)); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

namespace {

double GradientPosition(int style, int x, int y, int w, int h) {
  double fx = w > 1 ? static_cast<double>(x) / (w - 1) : 0;
  double fy = h > 1 ? static_cast<double>(y) / (h - 1) : 0;
  switch (style) {
    case 1: return fx;
    case 2: return 1 - fx;
    case 3: return fy;
    case 4: return 1 - fy;
    case 5: return (fx + fy) / 2;
    case 6: return (fx + 1 - fy) / 2;
    case 7: return std::fabs(fx * 2 - 1);
    case 8: return std::fabs(fy * 2 - 1);
    default: return 0;
  }
}

}  // namespace

void FillGradient(Canvas& canvas, int style, const Color colors[3]) {
  if (!canvas) return;
  COLORREF c0 = ToColorRef(colors[0]), c1 = ToColorRef(colors[1]), c2 = ToColorRef(colors[2]);
  GdiFlush();
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      canvas.Set(x, y, Blend3(c0, c1, c2, GradientPosition(style, x, y, canvas.width(), canvas.height())));
}

void DrawBorder(Canvas& canvas, RECT& r, int border, int frameWidth, const Color* colors) {
  HDC dc = canvas.dc();
  switch (border) {
    case 1: DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST); return;
    case 2: DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST); return;
    case 3: DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST); return;
    case 4:
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
      DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      return;
    case 5:
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&r, -1, -1);
      return;
    case 6: {
      if (!colors || frameWidth < 1) return;
      COLORREF c0 = ToColorRef(colors[0]), c1 = ToColorRef(colors[1]), c2 = ToColorRef(colors[2]);
      GdiFlush();
      for (int ring = 0; ring < frameWidth; ++ring) {
        double t = frameWidth > 1 ? static_cast<double>(ring) / (frameWidth - 1) : 0;
        COLORREF c = Blend3(c0, c1, c2, t);
        int left = r.left + ring, top = r.top + ring, right = r.right - 1 - ring, bottom = r.bottom - 1 - ring;
        if (left > right || top > bottom) break;
        for (int x = left; x <= right; ++x) {
          canvas.Set(x, top, c);
          canvas.Set(x, bottom, c);
        }
        for (int y = top; y <= bottom; ++y) {
          canvas.Set(left, y, c);
          canvas.Set(right, y, c);
        }
      }
      InflateRect(&r, -frameWidth, -frameWidth);
      return;
    }
    default: return;
  }
}

win::ComPtr<IPicture> LoadPicture(std::string_view bytes) {
  win::ComPtr<IPicture> picture;
  if (bytes.empty()) return picture;
  win::GlobalMemory block{GlobalAlloc(GMEM_MOVEABLE, bytes.size())};
  if (!block) return picture;
  {
    win::GlobalLockScope lock(block.get());
    if (!lock.get()) return picture;
    std::memcpy(lock.get(), bytes.data(), bytes.size());
  }
  win::ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.put()))) return picture;
  block.release();  // the stream frees it
  if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                            picture.put_void())))
    picture.reset();
  return picture;
}

void SetButtonPicture(HWND button, IPicture* picture) {
  if (!button || !picture) return;
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || FAILED(picture->get_Handle(&handle))) return;
  // The picture keeps owning the handle; the button only shows it.
  if (type == PICTYPE_BITMAP)
    SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(handle));
  else if (type == PICTYPE_ICON)
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, static_cast<LPARAM>(handle));
}

}  // namespace yz
