// Edit box: a system EDIT control with its stored settings.
//
// Input modes (EditBoxSettings::inputMode): while typing, a mode accepts only
// its characters (control keys below 32 always pass); modes 5 to 11 re-write
// the text when the box loses the focus, and in modes 5 to 10 a re-written
// value of 0 leaves the box empty. The text is replaced only when it differs,
// and the caret goes back to the start of the former selection.
//
//   mode  typing accepts        on losing the focus
//   0     anything              —
//   1     nothing (read-only)   —
//   2     anything, masked      —
//   3     "-" and digits        —
//   4     "-", digits and "."   —
//   5     digits                clamped to 0 … 255
//   6     "-" and digits        clamped to −32768 … 32767
//   7     "-" and digits        clamped to the 32-bit range
//   8     "-" and digits        clamped to the 64-bit range
//   9     "-", digits and "."   shortest text of the single-precision value
//   10    "-", digits and "."   shortest text of the double-precision value
//   11    anything              "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"
//
// Case conversion 1 / 2 applies to typed text and to text the program puts
// in (WM_SETTEXT, EM_REPLACESEL) alike.
#pragma once

#include <optional>
#include <utility>

#include "shell/control.h"

namespace yz {

// Whether typing `ch` (a UTF-16 unit) into a box of `mode` is accepted.
bool EditModeAccepts(int mode, unsigned ch);

// The text a box of `mode` shows after losing the focus with `text`, or
// nothing when the mode does not re-write. Numbers are read as the C library
// reads them: leading white space, an optional sign, then digits up to the
// first other character (none gives 0); modes 9 and 10 also read a fraction
// and an exponent. A date is year, month, day and optionally hour, minute and
// second, as numbers separated by anything else; one that is no real date
// leaves the box empty.
std::optional<WideText> EditModeRewrite(int mode, const WideText& text);

class EditBox : public Control {
 public:
  EditBox(Window& window, const ControlDef& def);
  ~EditBox() override;
  bool Create(HWND parent) override;
  std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  std::optional<LRESULT> OnParentNotify(UINT msg, WPARAM wp, LPARAM lp) override;
  bool ClaimsKey(UINT vk) const override { return vk == VK_RETURN && settings_.multiLine; }

  const EditBoxSettings& settings() const { return settings_; }
  void SelectAll();
  // Selection start (0-based) and length, in UTF-16 units.
  std::pair<int, int> Selection() const;
  void SetSelection(int start, int length);
  // The spin buttons (an up-down control beside the box), or nullptr.
  HWND spin() const { return spin_.get(); }

 private:
  bool CreateSpin(HWND parent);
  void GrowToFontHeight();
  void RewriteOnLeave();
  // `text` in the box's letter case.
  WideText Cased(const wchar_t* text) const;

  const EditBoxSettings& settings_;
  win::Brush background_;
  win::OwnedWindow spin_;
};

}  // namespace yz
