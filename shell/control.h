// The base of every control kind.
//
// A control is created from its stored definition by its window, in stored
// order. Native kinds wrap a system control whose window procedure is routed
// through OnMessage first; notifications the control sends to its parent
// (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM, WM_NOTIFY) come back to it through
// OnParentNotify, whatever container it lies in. Non-visual kinds (timer,
// balloon tip, drop target) have no window of their own.
#pragma once

#include <windows.h>

#include <optional>

#include "services/text_types.h"
#include "services/win/handles.h"
#include "shell/definition.h"

namespace yz {

class Window;

class Control {
 public:
  Control(Window& window, const ControlDef& def) : window_(window), def_(def) {}
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Window& window() const { return window_; }
  const ControlDef& def() const { return def_; }
  const char* name() const { return def_.name; }
  HWND hwnd() const { return hwnd_; }

  // Creates the control's window under `parent` (hidden); false on failure.
  virtual bool Create(HWND parent) = 0;
  // The window that holds this container's children on `page`; nullptr when
  // the control holds no children.
  virtual HWND ChildHost(int /*page*/) const { return nullptr; }
  // Whether a child on `page` is showing while its container is.
  virtual bool ShowsPage(int /*page*/) const { return true; }

  virtual std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  virtual std::optional<LRESULT> OnParentNotify(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/) { return {}; }

  // Whether the control takes this key itself instead of the window's
  // navigation (Tab, Esc, Enter).
  virtual bool ClaimsKey(UINT /*vk*/) const { return false; }
  // Whether a left press on it moves a drag-anywhere window.
  virtual bool DragsWindow() const { return false; }
  // A key or mouse button went down somewhere in the window.
  virtual void OnWindowInput() {}
  // The window is being destroyed; its native windows still exist.
  virtual void OnWindowDestroying() {}

  // Caption or content, as GBK text and as UTF-16.
  virtual AnsiText Text() const;
  virtual void SetText(const AnsiText& text);
  WideText Wide() const;
  virtual void SetWide(const WideText& text);

  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  bool IsEnabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
  void SetEnabled(bool on) { if (hwnd_) EnableWindow(hwnd_, on); }

 protected:
  // Creates a system control of class `cls` and routes its messages here.
  bool CreateNative(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, const WideText& text = {});
  // Applies the stored font or the default GUI font; a stored font of the
  // ordinary kinds gets the system's character set, precisions, quality and pitch.
  void ApplyFont(const std::optional<FontDef>& font, bool systemDefaults = true);
  HFONT font() const;
  // The wrapped window procedure's own handling of a message.
  LRESULT CallDefault(UINT msg, WPARAM wp, LPARAM lp) const;

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  Window& window_;
  const ControlDef& def_;
  WNDPROC original_ = nullptr;
  win::Font font_;
};

// Windows colour of a stored colour (the system button face resolved).
COLORREF ToColorRef(Color c);

// Creates a font from its stored definition.
win::Font MakeFont(const FontDef& font, bool systemDefaults);

}  // namespace yz
