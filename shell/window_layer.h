// The window layer: which windows are loaded, whether events are on, the
// message loop and the end of the program.
//
//   HandlerRegistry handlers; RegisterHandlers(handlers);
//   WindowLayer layer(handlers, {&kMainWindow, …});
//   if (!layer.LoadWindow("主窗口")) return 1;
//   return layer.Run();
//
// Everything here runs on the user-interface thread, except EndProgram,
// which any thread may call.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "shell/handler_registry.h"
#include "shell/window.h"

namespace yz {

class WindowLayer {
 public:
  // Creates the invisible owner tool window and resolves every binding of
  // `definitions` against `handlers` (which must outlive the layer).
  WindowLayer(const HandlerRegistry& handlers, std::vector<const WindowDef*> definitions);
  ~WindowLayer();
  WindowLayer(const WindowLayer&) = delete;
  WindowLayer& operator=(const WindowLayer&) = delete;

  // Loads a window by name; see the lifecycle rules in window_layer.cpp.
  bool LoadWindow(std::string_view name, Window* owner = nullptr, bool modal = false);
  Window* Find(std::string_view name) const;
  const std::vector<std::unique_ptr<Window>>& windows() const { return windows_; }

  // Posts a destroy request; the window goes after the current message.
  void DestroyUnit(Window& window);

  // Run mode: the message loop until the last window is gone; the exit code.
  int Run();
  // Handles every queued message, then returns (early at the quit message).
  void ProcessEvents();
  // The exit sequence, then the process ends with `code`. From another
  // thread it is a request the UI thread carries out.
  void EndProgram(int code);
  // What ends the process (ExitProcess); tests replace it.
  void SetProcessExit(std::function<void(int)> exit) { processExit_ = std::move(exit); }

  bool EventsOn() const { return eventsOff_ == 0 && !exiting_; }
  bool running() const { return runMode_; }
  HWND toolWindow() const { return tool_.get(); }

  // Pre-translation for any message of the thread; true when consumed.
  bool PreTranslate(MSG& msg);
  // Called by a window whose native window is gone.
  void Forget(Window& window);

 private:
  friend class EventsOff;
  static LRESULT CALLBACK ToolProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Dispatch(MSG& msg);
  void RunUntil(const std::function<bool()>& done);
  void Idle();
  void ExitSequence(int code);
  void DisableForModal(Window& modal);

  std::vector<std::unique_ptr<ResolvedWindow>> resolved_;
  std::vector<std::unique_ptr<Window>> windows_;
  std::vector<std::unique_ptr<Window>> gone_;  // freed once their messages are done
  win::OwnedWindow tool_;
  std::function<void(int)> processExit_;
  DWORD uiThread_ = GetCurrentThreadId();
  int eventsOff_ = 0;
  bool runMode_ = false;
  bool exiting_ = false;
  bool quitSeen_ = false;
  int exitCode_ = 0;
};

// Switches events off for a scope (loads nest).
class EventsOff {
 public:
  explicit EventsOff(WindowLayer& layer) : layer_(layer) { ++layer_.eventsOff_; }
  ~EventsOff() { --layer_.eventsOff_; }
  EventsOff(const EventsOff&) = delete;
  EventsOff& operator=(const EventsOff&) = delete;

 private:
  WindowLayer& layer_;
};

}  // namespace yz
