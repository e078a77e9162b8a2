// Label: text painted by this program on its background, with the label
// settings (text effect, border or gradient frame, background colour,
// gradient or picture, alignments, word wrap).
//
// A word-wrapped label is laid out from its top edge and wrapped at its
// width; the vertical alignment applies to one-line text only (text with line
// breaks but no wrap is placed as a block). Text effects:
//   1 raised: white one pixel up and left, grey one pixel down and right, then the text;
//   2 engraved: white at the text's place, then the text one pixel right and down;
//   3 shadow: grey two pixels right and down, then the text.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include "shell/controls/canvas.h"

namespace yz {


class Label : public PaintedControl {
 public:
  Label(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  bool DragsWindow() const override { return true; }

  const LabelSettings& settings() const { return settings_; }
  void Paint(HDC dc) override;

 private:
  void PaintPicture(Canvas& canvas);
  void PaintText(HDC dc, RECT area);

  const LabelSettings& settings_;
  win::ComPtr<IPicture> picture_;
};

}  // namespace yz
