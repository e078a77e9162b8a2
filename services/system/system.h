// Operations on the operating system alone: the user's browser, the
// reachability probe, threads, the screen and the mouse cursor.
//
// Everything here may be called from any thread, except that IsOnline blocks
// for up to a few seconds and so must not run on the user-interface thread;
// StartOnlineProbe runs it on a thread of its own and posts the answer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "services/text_types.h"
#include "services/win/handles.h"

namespace yz {

// What OpenWebAddress opens when it is given no address.
inline constexpr char kDefaultWebAddress[] = "https://www.baidu.com/";
// The public page the reachability probe asks for, and how long it waits.
inline constexpr char kOnlineProbeAddress[] = "http://www.baidu.com/";
inline constexpr int kOnlineProbeTimeoutMs = 4000;

// Asks the shell to "open" `address` in a normal window: the user's default
// browser shows it. An empty address opens kDefaultWebAddress.
void OpenWebAddress(const AnsiText& address = {});

// False when the system reports no Internet connection; otherwise whether a
// fresh request (no cache, agent "test") for kOnlineProbeAddress can be
// opened within the time-out. Blocks: not for the user-interface thread.
bool IsOnline();
// The request part of the probe, for any address: whether a fresh request
// for `url` can be opened within `timeoutMs`.
bool CanOpenAddress(const AnsiText& url, int timeoutMs = kOnlineProbeTimeoutMs);

// Runs the probe on a thread of its own, then posts `message` to `notify`
// with wParam 1 when online and 0 when not. False when the thread could not
// be started (nothing is posted then). `url` replaces the public page (tests
// probe a server of their own); the system's connection state is asked only
// for the public page.
bool StartOnlineProbe(HWND notify, UINT message, const AnsiText& url = kOnlineProbeAddress,
                      int timeoutMs = kOnlineProbeTimeoutMs);

// A routine a thread runs with its parameter; it must not touch windows or
// controls.
using ThreadRoutine = void (*)(std::intptr_t parameter);

// Starts an operating-system thread with the default stack that calls
// `routine(parameter)` and ends when it returns. True when the thread was
// created. Its handle is closed at once unless `handle` is given, which then
// owns it.
bool StartThread(ThreadRoutine routine, std::intptr_t parameter = 0, win::KernelHandle* handle = nullptr);

// Width of the primary screen in pixels.
int ScreenWidth();
// The mouse cursor's position in screen coordinates (0 when it cannot be had).
int CursorX();
int CursorY();

}  // namespace yz
