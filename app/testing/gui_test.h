// A fixture for tests on the real windows under Wine: the program's window
// definitions in a window layer of the test's own, messages recorded instead
// of shown, and helpers that pump the message loop.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "services/system/message.h"
#include "shell/controls/check_box.h"
#include "shell/controls/edit_box.h"
#include "shell/controls/page_control.h"
#include "shell/controls/push_button.h"
#include "shell/window_layer.h"

namespace yz::testing {

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousDisplay_ = SetMessageDisplay([this](const AnsiText& content, int flags, const AnsiText& caption) {
      messages.push_back(content);
      lastFlags = flags;
      lastCaption = caption;
      return kResultOk;
    });
  }
  void TearDown() override {
    layer.reset();
    SetMessageDisplay(std::move(previousDisplay_));
  }

  // A layer over the program's windows with `handlers`; the process is never ended.
  WindowLayer& MakeLayer(const HandlerRegistry& handlers = ProgramHandlers()) {
    layer = std::make_unique<WindowLayer>(handlers, ProgramWindows());
    layer->SetProcessExit([this](int code) { exitCodes.push_back(code); });
    return *layer;
  }
  Window& LoadMain(const HandlerRegistry& handlers = ProgramHandlers()) {
    if (!layer) MakeLayer(handlers);
    EXPECT_TRUE(layer->LoadWindow("主窗口"));
    Window* w = layer->Find("主窗口");
    if (!w) throw std::runtime_error("主窗口 did not load");
    Pump();
    return *w;
  }

  void Pump() { layer->ProcessEvents(); }
  // Pumps until `done` or the time-out; whether it became done.
  bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      layer->ProcessEvents();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
  }
  // Posts a key to `hwnd` the way the keyboard would deliver it, with the
  // given modifiers held in the thread's key state.
  void PressKey(HWND hwnd, UINT vk, bool shift = false, bool ctrl = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
    Pump();
    PostMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
    Pump();
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }

  std::unique_ptr<WindowLayer> layer;
  std::vector<AnsiText> messages;
  int lastFlags = 0;
  AnsiText lastCaption;
  std::vector<int> exitCodes;

 private:
  MessageDisplay previousDisplay_;
};

}  // namespace yz::testing
