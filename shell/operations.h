// Operations that handlers call on windows and controls.
//
// Every one of them runs on the user-interface thread. An operation given a
// control of the wrong kind gives the empty value of its result (0, false).
// The clipboard and message boxes are in services/system/message.h; the
// operating system's own operations (browser, reachability probe, threads,
// screen, cursor) in services/system/system.h; raw memory access in
// services/system/memory.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

#include "services/system/memory.h"
#include "services/system/message.h"
#include "services/system/system.h"
#include "shell/window_layer.h"

namespace yz {

// Creates and shows one of the program's windows (see WindowLayer::LoadWindow);
// true when it is loaded.
bool LoadWindow(WindowLayer& layer, std::string_view window, Window* parent = nullptr, bool modal = false);

// A window is closed and destroyed through a posted request (its Destroying
// event follows, without QueryClose); a control is destroyed at once and
// removed from its window, with the controls it holds.
void DestroyUnit(Window& window);
void DestroyUnit(Control& control);

// Gives the control the keyboard focus.
void FocusControl(Control& control);

// Moves and sizes a window (screen coordinates) or a control (its parent's
// client coordinates). An absent left or top keeps it, an absent width or
// height or one of −1 keeps it; nothing happens when the rectangle stays.
void MoveControl(Window& window, std::optional<int> left = {}, std::optional<int> top = {},
                 std::optional<int> width = {}, std::optional<int> height = {});
void MoveControl(Control& control, std::optional<int> left = {}, std::optional<int> top = {},
                 std::optional<int> width = {}, std::optional<int> height = {});

// The operating-system window handle; 0 when there is none.
std::intptr_t WindowHandle(const Window& window);
std::intptr_t WindowHandle(const Control& control);

// Height in pixels of the text drawn in a drawing panel's font; 0 for any
// other kind of control. Numbers are measured as their decimal text.
int TextHeight(Control& panel, const AnsiText& text);
template <class Number>
  requires std::is_arithmetic_v<Number>
int TextHeight(Control& panel, Number value) {
  return TextHeight(panel, AnsiText(std::to_string(value)));
}

// Dispatches every message already waiting for this thread, then returns.
void ProcessEvents(WindowLayer& layer);

// Makes the window with handle `window` accept drops for a drop target
// control. False when it was registered once already, when the operating
// system refuses, or when `control` is no drop target.
bool RegisterDropTarget(Control& control, std::intptr_t window);

// Sets the tab caption of a page (0-based) of a page control and redraws the
// tabs; false for an index outside the pages or for another kind of control.
bool SetPageCaption(Control& pageControl, int index, const AnsiText& caption);

}  // namespace yz
