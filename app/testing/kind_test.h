// A fixture for tests of one control kind: a window of the test's own that
// holds the controls under test with the settings under test, loaded into a
// window layer on its own (not the program's windows).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "app/testing/gui_test.h"
#include "shell/controls/canvas.h"

namespace yz::testing {

inline constexpr char kTestWindow[] = "测试窗口";

class KindTest : public GuiTest {
 protected:
  // Loads kTestWindow with `controls`; `window` gives the other settings
  // (by default a normal fixed window at 60, 60 of 420 × 320).
  Window& LoadTestWindow(std::vector<ControlDef> controls, WindowDef window = {}) {
    definition = std::move(window);
    definition.name = kTestWindow;
    if (definition.rect.width == 0) definition.rect = {60, 60, 420, 320};
    definition.position = 0;
    definition.controls = std::move(controls);
    layer = std::make_unique<WindowLayer>(handlers, std::vector<const WindowDef*>{&definition});
    layer->SetProcessExit([this](int code) { exitCodes.push_back(code); });
    if (!layer->LoadWindow(kTestWindow)) throw std::runtime_error("the test window did not load");
    Window* w = layer->Find(kTestWindow);
    if (!w) throw std::runtime_error("the test window is not loaded");
    Pump();
    return *w;
  }

  // Records every raised event of `control` (nullptr: the window) for
  // `kinds` as "control.Event" and its text argument.
  void Record(const char* control, std::initializer_list<EventKind> kinds) {
    for (EventKind k : kinds)
      handlers.Add(kTestWindow, control, k,
                   [this, k, name = std::string(control ? control : "")](Event& ev) {
                     log.push_back(name + "." + EventName(k));
                     texts.push_back(ev.text);
                   });
  }

  // The control's client area as it paints itself (WM_PRINTCLIENT).
  static std::unique_ptr<Canvas> Render(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    win::WindowDc screen(nullptr);
    auto canvas = std::make_unique<Canvas>(screen.get(), r.right, r.bottom);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
    GdiFlush();
    return canvas;
  }

  WindowDef definition;
  HandlerRegistry handlers;
  std::vector<std::string> log;
  std::vector<AnsiText> texts;
};

}  // namespace yz::testing
