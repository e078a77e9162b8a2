// Page control: an owner-drawn tab strip whose pages hold child controls;
// only the current page's controls are shown.
//
// Tabs are as wide as their caption plus 11, at least 50 and at most the
// strip; they wrap into further rows of the row height (or the font's
// character height, if larger). A tab's tooltip shows once the pointer has
// rested on it for the delay and is withdrawn when the pointer moves, when a
// key or mouse button is pressed (then it stays away until the pointer moves
// again), and after its time on screen.
#pragma once

#include <vector>

#include "shell/control.h"

namespace yz {

class PageControl : public Control {
 public:
  PageControl(Window& window, const ControlDef& def);
  bool Create(HWND parent) override;
  HWND ChildHost(int) const override { return hwnd_; }
  bool ShowsPage(int page) const override { return page == current_; }
  std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  std::optional<LRESULT> OnParentNotify(UINT, WPARAM, LPARAM) override { return {}; }

  int PageCount() const { return static_cast<int>(captions_.size()); }
  int Current() const { return current_; }  // 1-based
  void SetCurrent(int page);
  // Sets the caption of a page (0-based index) and redraws the tabs; false
  // for an index outside the pages.
  bool SetPageCaption(int index, const AnsiText& caption);
  const AnsiText& Caption(int page) const { return captions_[static_cast<size_t>(page - 1)]; }

  // Layout and looks, as drawn.
  RECT TabRect(int page) const { return tabs_[static_cast<size_t>(page - 1)]; }
  int RowCount() const { return rows_; }
  int RowHeight() const { return rowHeight_; }
  COLORREF CaptionColor(int page) const;
  COLORREF TopColor(int page) const;
  int HotPage() const { return hot_; }
  bool TooltipShowing() const;
  AnsiText TooltipText() const;

  void OnWindowInput() override;

 private:
  void Layout();
  void Paint(HDC dc);
  int HitTest(POINT p) const;
  void OnMouseMove(POINT p);
  void HideTooltip(bool untilMoved);
  void ShowTooltip();

  const PageControlSettings& settings_;
  std::vector<AnsiText> captions_;
  std::vector<RECT> tabs_;
  win::Font font_;
  win::OwnedWindow tip_;
  int rows_ = 1;
  int rowHeight_ = 20;
  int current_ = 1;
  int hot_ = 0;
  int tipPage_ = 0;
  bool tipSuppressed_ = false;
  bool tracking_ = false;
  POINT lastMouse_{-1, -1};
};

}  // namespace yz
