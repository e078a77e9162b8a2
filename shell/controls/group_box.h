// Group box: a container drawn as an etched frame with its title in the top
// edge (a bare frame when the title is empty). Its children lie in its client
// area; their notifications go on to their own controls.
#pragma once

#include "shell/controls/canvas.h"

namespace yz {

class GroupBox : public PaintedControl {
 public:
  GroupBox(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  HWND ChildHost(int) const override { return hwnd_; }
  bool DragsWindow() const override { return true; }

  const GroupBoxSettings& settings() const { return settings_; }
  // Where the frame and the title are drawn, in client coordinates; the
  // title rectangle is empty for an empty title.
  RECT FrameRect() const;
  RECT TitleRect() const;
  void Paint(HDC dc) override;

 private:
  const GroupBoxSettings& settings_;
  win::Brush background_;
};

}  // namespace yz
