// Move-only owners for Windows handles: one owner per handle, released once.
//
//   UniqueHandle<HFONT, FontDeleter> font{CreateFontW(...)};
//   if (!font) return false;
#pragma once

#include <windows.h>

#include <utility>

namespace yz::win {

template <class H, class Deleter>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, H{}));
    return *this;
  }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{} && h_ != Deleter::Invalid(); }
  H release() { return std::exchange(h_, H{}); }
  void reset(H h = H{}) {
    H old = std::exchange(h_, h);
    if (old != H{} && old != Deleter::Invalid()) Deleter::Free(old);
  }

 private:
  H h_{};
};

struct GdiDeleter {
  static HGDIOBJ Invalid() { return nullptr; }
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
template <class H>
struct GdiObjectDeleter {
  static H Invalid() { return nullptr; }
  static void Free(H h) { DeleteObject(h); }
};
struct KernelDeleter {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE h) { CloseHandle(h); }
};
struct IconDeleter {
  static HICON Invalid() { return nullptr; }
  static void Free(HICON h) { DestroyIcon(h); }
};
struct WindowDeleter {
  static HWND Invalid() { return nullptr; }
  static void Free(HWND h) { DestroyWindow(h); }
};
struct MenuDeleter {
  static HMENU Invalid() { return nullptr; }
  static void Free(HMENU h) { DestroyMenu(h); }
};
struct GlobalDeleter {
  static HGLOBAL Invalid() { return nullptr; }
  static void Free(HGLOBAL h) { GlobalFree(h); }
};

using Font = UniqueHandle<HFONT, GdiObjectDeleter<HFONT>>;
using Brush = UniqueHandle<HBRUSH, GdiObjectDeleter<HBRUSH>>;
using Pen = UniqueHandle<HPEN, GdiObjectDeleter<HPEN>>;
using Bitmap = UniqueHandle<HBITMAP, GdiObjectDeleter<HBITMAP>>;
using Region = UniqueHandle<HRGN, GdiObjectDeleter<HRGN>>;
using KernelHandle = UniqueHandle<HANDLE, KernelDeleter>;
using Icon = UniqueHandle<HICON, IconDeleter>;
using OwnedWindow = UniqueHandle<HWND, WindowDeleter>;
using Menu = UniqueHandle<HMENU, MenuDeleter>;
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalDeleter>;

// A device context obtained with GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() { if (dc_) ReleaseDC(hwnd_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object into a DC for the scope and puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~Selection() { if (old_) SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// An off-screen DC: CreateCompatibleDC / DeleteDC.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() { if (dc_) DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// OpenClipboard / CloseClipboard.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardSession() { if (open_) CloseClipboard(); }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool is_open() const { return open_; }

 private:
  bool open_;
};

}  // namespace yz::win
