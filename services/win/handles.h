// Move-only owners for Windows handles: one owner per handle, released once.
//
//   UniqueHandle<HFONT, FontDeleter> font{CreateFontW(...)};
//   if (!font) return false;
#pragma once

#include <windows.h>
#include <ole2.h>

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
struct HookDeleter {
  static HHOOK Invalid() { return nullptr; }
  static void Free(HHOOK h) { UnhookWindowsHookEx(h); }
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
using Hook = UniqueHandle<HHOOK, HookDeleter>;

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

// A COM interface pointer holding one reference.
//
//   win::ComPtr<IPicture> picture;
//   if (FAILED(OleLoadPicture(stream, size, FALSE, IID_IPicture, picture.put_void()))) return;
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* p) : p_(p) {}
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) reset(std::exchange(o.p_, nullptr));
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T* release() { return std::exchange(p_, nullptr); }
  void reset(T* p = nullptr) {
    T* old = std::exchange(p_, p);
    if (old) old->Release();
  }
  // Out-parameter for functions that hand over a new reference.
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

 private:
  T* p_ = nullptr;
};

// The IUnknown part of a COM object of one interface: QueryInterface for
// IUnknown and `Interface`, and a reference count that OLE may change from
// any thread. Made with new, holding one reference; it deletes itself at its
// last Release.
template <class Interface>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

 private:
  LONG refs_ = 1;
};

// OleInitialize / OleUninitialize for a scope of one thread.
class OleSession {
 public:
  OleSession() : result_(OleInitialize(nullptr)) {}
  ~OleSession() { if (SUCCEEDED(result_)) OleUninitialize(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// GlobalLock / GlobalUnlock of a movable block.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL block) : block_(block), p_(block ? GlobalLock(block) : nullptr) {}
  ~GlobalLockScope() { if (p_) GlobalUnlock(block_); }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* get() const { return p_; }
  size_t size() const { return p_ ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  void* p_;
};

// A STGMEDIUM filled by IDataObject::GetData, released with ReleaseStgMedium.
class StorageMedium {
 public:
  StorageMedium() = default;
  ~StorageMedium() { if (filled_) ReleaseStgMedium(&medium_); }
  StorageMedium(const StorageMedium&) = delete;
  StorageMedium& operator=(const StorageMedium&) = delete;
  // For GetData; the medium counts as filled from then on.
  STGMEDIUM* put() {
    if (filled_) ReleaseStgMedium(&medium_);
    medium_ = STGMEDIUM{};
    filled_ = true;
    return &medium_;
  }
  const STGMEDIUM& get() const { return medium_; }

 private:
  STGMEDIUM medium_{};
  bool filled_ = false;
};

}  // namespace yz::win
