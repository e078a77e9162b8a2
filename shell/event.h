// Events and the handlers they reach.
//
// The window layer raises an Event for one control (or for the window itself,
// control == nullptr) and calls the handler bound to that control and kind.
// A handler gives a result with Return(); only QueryClose (false refuses the
// close), the mouse and key events (false swallows the message) and CharInput
// (non-zero replaces the character, zero swallows it) look at it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace yz {

class Window;
class Control;

enum class EventKind {
  Created, QueryClose, Destroying, Moved, Resized, Activated, Deactivated, FirstActivated, Idle,
  TrayEvent, Shown, Hidden,
  LeftButtonDown, LeftButtonUp, DoubleClicked, RightButtonDown, RightButtonUp, MouseMoved,
  GotFocus, LostFocus, KeyDown, KeyUp, CharInput, WheelScrolled,
  Clicked, Tick, Selected, TextChanged,
  TextDropped, HtmlDropped, UrlDropped, FilesDropped,
  Count
};

// The name a handler is registered under for this kind ("Clicked", …).
const char* EventName(EventKind kind);

// Key state bits of the mouse and key events.
inline constexpr int kKeyCtrl = 1, kKeyShift = 2, kKeyAlt = 4;

struct Event {
  Window& window;
  Control* control;  // nullptr: the window itself
  EventKind kind;
  std::array<std::intptr_t, 5> args{};
  int argCount = 0;
  std::string text;  // the text argument of the drop events
  std::intptr_t result = 0;
  bool hasResult = false;

  void Return(std::intptr_t value) {
    result = value;
    hasResult = true;
  }
  // For events whose false result refuses or swallows.
  bool Refused() const { return hasResult && result == 0; }
};

using Handler = std::function<void(Event&)>;

}  // namespace yz
