// Drawing helpers shared by the kinds that paint themselves (label, group
// box, drawing panel): their window classes, an off-screen 32-bit canvas,
// borders and gradients.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <string_view>

#include "services/win/handles.h"
#include "shell/control.h"
#include "shell/definition.h"

namespace yz {

// A kind that paints itself: WM_PAINT and WM_PRINTCLIENT go to Paint, which
// covers every pixel, and a change of its text or font repaints it.
class PaintedControl : public Control {
 public:
  using Control::Control;
  std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Paints the whole control into `dc` as it shows on screen.
  virtual void Paint(HDC dc) = 0;
};

// Registers a window class of this program's own whose procedure is
// DefWindowProcW (the control's subclass does the work); true once it exists.
bool RegisterControlClass(const wchar_t* name, UINT style = CS_DBLCLKS);

// An off-screen, top-down 32-bit picture of a control's client area with a
// DC to draw on; Present copies it to the real DC.
class Canvas {
 public:
  Canvas(HDC like, int width, int height);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  explicit operator bool() const { return bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixel access; call GdiFlush() before touching pixels after GDI drawing.
  void Set(int x, int y, COLORREF c);
  COLORREF Get(int x, int y) const;
  void Present(HDC target) const;

 private:
  win::MemoryDc dc_;
  win::Bitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_, height_;
};

// c0 → c1 → c2 as t goes from 0 to 1.
COLORREF Blend3(COLORREF c0, COLORREF c1, COLORREF c2, double t);

// Fills the canvas with one of the eight gradient styles:
//   1 left to right, 2 right to left, 3 top to bottom, 4 bottom to top,
//   5 top left to bottom right, 6 bottom left to top right,
//   7 from the vertical centre line out to both sides,
//   8 from the horizontal centre line out to top and bottom.
void FillGradient(Canvas& canvas, int style, const Color colors[3]);

// Draws a border of the edit-box vocabulary (0 none, 1 sunken, 2 raised,
// 3 thin sunken, 4 raised outside and sunken inside, 5 single line) or, for
// 6, a frame of `frameWidth` pixels shading from colors[0] outside through
// colors[1] to colors[2] inside; `r` shrinks to the area inside it.
void DrawBorder(Canvas& canvas, RECT& r, int border, int frameWidth = 1, const Color* colors = nullptr);

// The picture of an image file's bytes (BMP, GIF, JPEG, ICO), or nothing when
// they hold no picture.
win::ComPtr<IPicture> LoadPicture(std::string_view bytes);

// Shows a picture on a system button (BS_BITMAP or BS_ICON set at creation).
void SetButtonPicture(HWND button, IPicture* picture);

}  // namespace yz
