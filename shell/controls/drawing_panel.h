// Drawing panel: a container with its background, border and font, in pixel
// units. It measures text as it would draw it (TextHeight); what is drawn on
// it is not kept for repainting.
#pragma once

#include "shell/controls/canvas.h"

namespace yz {

class DrawingPanel : public PaintedControl {
 public:
  DrawingPanel(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  HWND ChildHost(int) const override { return hwnd_; }

  const DrawingPanelSettings& settings() const { return settings_; }
  // Height in pixels of `text` drawn in the panel's font (every line of it).
  int TextHeight(const AnsiText& text) const;
  void Paint(HDC dc) override;

 private:
  const DrawingPanelSettings& settings_;
  win::Brush background_;
};

}  // namespace yz
