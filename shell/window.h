// One loaded window: its native window, its controls and the state its
// handlers keep.
//
// The window procedure and the message pre-translation of the window layer
// both end here: close requests, focus order and keyboard navigation, drag
// anywhere, and the common mouse and key events of every control.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "shell/control.h"
#include "shell/definition.h"

namespace yz {

class WindowLayer;

// A window definition with every binding resolved to its routine (or nullptr).
struct ResolvedWindow {
  using Handlers = std::array<const Handler*, static_cast<size_t>(EventKind::Count)>;
  const WindowDef* def = nullptr;
  Handlers window{};
  std::vector<Handlers> controls;  // by stored index
};

// State that a window's handlers keep, owned by the window.
class WindowState {
 public:
  virtual ~WindowState() = default;
};

// Messages of the window layer (WM_APP + 100 is the tray callback).
inline constexpr UINT kMsgDestroyUnit = WM_APP + 1;
inline constexpr UINT kMsgEndProgram = WM_APP + 2;
inline constexpr UINT kMsgFirstUser = WM_APP + 200;  // for handlers' own messages

class Window {
 public:
  Window(WindowLayer& layer, const ResolvedWindow& resolved);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Creates the native window and every control (events must be off);
  // false leaves nothing behind.
  bool Create(HWND owner);

  WindowLayer& layer() const { return layer_; }
  const WindowDef& def() const { return *resolved_.def; }
  const char* name() const { return def().name; }
  HWND hwnd() const { return hwnd_; }
  bool exists() const { return hwnd_ != nullptr; }

  Control* FindControl(std::string_view name) const;
  template <class T>
  T& Get(std::string_view name) const {
    return dynamic_cast<T&>(*FindControl(name));
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  Control* ControlFromHwnd(HWND hwnd) const;

  // Raises an event for a control (nullptr: the window) when events are on and
  // a handler is bound; returns the event with the handler's result.
  Event Raise(Control* control, EventKind kind, std::initializer_list<std::intptr_t> args = {},
              std::string text = {});
  void RaiseFor(Control* control, EventKind kind) { Raise(control, kind); }
  bool HasHandler(Control* control, EventKind kind) const;

  // Visible, enabled tab stops by ascending tab order; among equal numbers
  // the control listed later comes first.
  std::vector<Control*> FocusOrder() const;
  void MoveFocus(bool forward);

  // Destroys a control at once, with the controls it holds, and removes them
  // from the window. Their objects stay alive, without a native window, until
  // the window goes: a handler of the control may still be running.
  void DestroyControl(Control& control);

  // A close request: QueryClose may refuse it.
  void RequestClose();
  // Destroys the window without asking (DestroyUnit's effect).
  void Destroy();
  bool destroyPending() const { return destroyPending_; }
  void MarkDestroyPending() { destroyPending_ = true; }

  void SetAlwaysOnTop(bool on);
  bool alwaysOnTop() const { return alwaysOnTop_; }

  // Windows disabled while this window is shown modally, with their former state.
  void RememberDisabled(std::vector<std::pair<HWND, bool>> windows) { disabledByModal_ = std::move(windows); }
  void RestoreDisabled();

  // A message of the handlers' own (kMsgFirstUser and up), handled on the UI thread.
  void OnMessage(UINT msg, std::function<void(WPARAM, LPARAM)> handler) { ownMessages_[msg] = std::move(handler); }

  template <class T>
  T& State() {
    if (!state_) state_ = std::make_unique<T>(*this);
    return static_cast<T&>(*state_);
  }
  void ResetState() { state_.reset(); }

  // Mouse and key messages for this window or one of its controls, turned
  // into events before they are dispatched; true when the message was consumed.
  bool PreTranslate(MSG& msg);

  // A notification a child sent to its parent, handed to the child's control.
  std::optional<LRESULT> Reflect(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool CreateControls();
  bool TranslateMouse(MSG& msg, Control* target);
  bool TranslateKey(MSG& msg, Control* target);
  bool Navigate(UINT vk, Control* focused);
  void OnActivate(bool active);
  void FocusFirstOrRemembered();

  WindowLayer& layer_;
  const ResolvedWindow& resolved_;
  HWND hwnd_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Control>> retired_;  // destroyed by DestroyControl
  std::map<HWND, Control*> byHwnd_;
  std::vector<std::pair<HWND, bool>> disabledByModal_;
  std::map<UINT, std::function<void(WPARAM, LPARAM)>> ownMessages_;
  std::unique_ptr<WindowState> state_;
  win::Brush background_;
  HWND lastFocus_ = nullptr;
  bool destroyPending_ = false;
  bool alwaysOnTop_ = false;
  bool firstActivated_ = false;
  bool dragging_ = false;
  POINT dragCursor_{};
  POINT dragOrigin_{};
};

}  // namespace yz
