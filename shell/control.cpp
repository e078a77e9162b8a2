#include "shell/control.h"

#include "services/encoding.h"
#include "shell/window.h"

namespace yz {

COLORREF ToColorRef(Color c) {
  if (c == kButtonFace) return GetSysColor(COLOR_BTNFACE);
  return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

win::Font MakeFont(const FontDef& f, bool systemDefaults) {
  WideText face = AnsiToWide(f.face);
  LOGFONTW lf{};
  lf.lfHeight = f.height;
  lf.lfWeight = f.weight;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfStrikeOut = f.strikeOut;
  if (systemDefaults) {
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
  } else {
    lf.lfCharSet = static_cast<BYTE>(f.charset);
    lf.lfQuality = static_cast<BYTE>(f.quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(f.pitchAndFamily);
  }
  lstrcpynW(lf.lfFaceName, reinterpret_cast<const wchar_t*>(face.c_str()), LF_FACESIZE);
  return win::Font{CreateFontIndirectW(&lf)};
}

Control::~Control() {
  // The window's destruction takes the native control with it; this only
  // covers a control destroyed on its own.
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool Control::CreateNative(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, const WideText& text) {
  const Rect& r = def_.rect;
  if (def_.disabled) style |= WS_DISABLED;
  if (def_.tabStop) style |= WS_TABSTOP;
  hwnd_ = CreateWindowExW(exStyle, cls, reinterpret_cast<const wchar_t*>(text.c_str()), style | WS_CHILD,
                          r.left, r.top, r.width, r.height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  return true;
}

LRESULT CALLBACK Control::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  WNDPROC original = self->original_;
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return CallWindowProcW(original, hwnd, msg, wp, lp);
  }
  if (auto r = self->OnMessage(msg, wp, lp)) return *r;
  return CallWindowProcW(original, hwnd, msg, wp, lp);
}

LRESULT Control::CallDefault(UINT msg, WPARAM wp, LPARAM lp) const {
  return CallWindowProcW(original_, hwnd_, msg, wp, lp);
}

std::optional<LRESULT> Control::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETFOCUS: window().RaiseFor(this, EventKind::GotFocus); break;
    case WM_KILLFOCUS: window().RaiseFor(this, EventKind::LostFocus); break;
    default:
      // A container hands its children's notifications to their own controls.
      return window().Reflect(msg, wp, lp);
  }
  return {};
}

void Control::ApplyFont(const std::optional<FontDef>& font, bool systemDefaults) {
  HFONT h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (font) {
    font_ = MakeFont(*font, systemDefaults);
    if (font_) h = font_.get();
  }
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(h), FALSE);
}

HFONT Control::font() const {
  return font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

WideText Control::Wide() const {
  if (!hwnd_) return {};
  int n = GetWindowTextLengthW(hwnd_);
  WideText text(static_cast<size_t>(n) + 1, u'\0');
  n = GetWindowTextW(hwnd_, reinterpret_cast<wchar_t*>(text.data()), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

void Control::SetWide(const WideText& text) {
  if (hwnd_) SetWindowTextW(hwnd_, reinterpret_cast<const wchar_t*>(text.c_str()));
}

AnsiText Control::Text() const { return WideToAnsi(Wide()); }
void Control::SetText(const AnsiText& text) { SetWide(AnsiToWide(text)); }

}  // namespace yz
