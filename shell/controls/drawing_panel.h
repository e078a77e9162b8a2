// Drawing panel: a container with its background, border and font, in pixel
// units. It measures text as it would draw it (TextHeight); what is drawn on
// it is not kept for repainting.
#pragma once

#include "shell/control.h"

namespace yz {

class DrawingPanel : public Control {
 public:
  DrawingPanel(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  HWND ChildHost(int) const override { return hwnd_; }
  std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  const DrawingPanelSettings& settings() const { return settings_; }
  // Height in pixels of `text` drawn in the panel's font (every line of it).
  int TextHeight(const AnsiText& text) const;
  void Paint(HDC dc);

 private:
  const DrawingPanelSettings& settings_;
  win::Brush background_;
};

}  // namespace yz
