#include "services/system/system.h"

#include <shellapi.h>
#include <wininet.h>

#include <atomic>
#include <memory>
#include <utility>

#include "services/encoding.h"
#include "services/outside_function.h"

namespace yz {
namespace {

// WinINet is loaded on the first probe, not at start: most runs never ask.
const OutsideFunction<BOOL(LPDWORD, DWORD)> internetGetConnectedState{"wininet.dll", "InternetGetConnectedState"};
const OutsideFunction<HINTERNET(LPCWSTR, DWORD, LPCWSTR, LPCWSTR, DWORD)> internetOpen{"wininet.dll",
                                                                                    "InternetOpenW"};
const OutsideFunction<BOOL(HINTERNET, DWORD, LPVOID, DWORD)> internetSetOption{"wininet.dll", "InternetSetOptionW"};
const OutsideFunction<HINTERNET(HINTERNET, LPCWSTR, LPCWSTR, DWORD, DWORD, DWORD_PTR)> internetOpenUrl{
    "wininet.dll", "InternetOpenUrlW"};
const OutsideFunction<BOOL(HINTERNET)> internetCloseHandle{"wininet.dll", "InternetCloseHandle"};

// An Internet handle, closed with InternetCloseHandle.
class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() { if (h_) internetCloseHandle(h_); }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }
  HINTERNET release() { return std::exchange(h_, nullptr); }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

struct ThreadStart {
  ThreadRoutine routine;
  std::intptr_t parameter;
};

DWORD WINAPI RunThread(void* p) {
  std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(p));
  start->routine(start->parameter);
  return 0;
}

struct ProbeRequest {
  HWND notify;
  UINT message;
  AnsiText url;
  int timeoutMs;
};

bool ConnectedBySystem() {
  DWORD flags = 0;
  return internetGetConnectedState(&flags, 0) != FALSE;
}

void RunProbe(std::intptr_t p) {
  std::unique_ptr<ProbeRequest> request(reinterpret_cast<ProbeRequest*>(p));
  bool online = request->url == kOnlineProbeAddress ? IsOnline() : CanOpenAddress(request->url, request->timeoutMs);
  PostMessageW(request->notify, request->message, online ? 1 : 0, 0);
}

// One request in flight: shared by the caller and the thread that makes it,
// so that a caller that gave up may leave first.
struct Attempt {
  InternetHandle session;
  HINTERNET requestSession;  // the same handle, read by the requesting thread alone
  WideText url;
  win::KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<bool> opened{false};

  Attempt(HINTERNET s, WideText u) : session(s), requestSession(s), url(std::move(u)) {}
};

void MakeRequest(std::intptr_t p) {
  std::unique_ptr<std::shared_ptr<Attempt>> held(reinterpret_cast<std::shared_ptr<Attempt>*>(p));
  Attempt& a = **held;
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  InternetHandle request{
      internetOpenUrl(a.requestSession, reinterpret_cast<const wchar_t*>(a.url.c_str()), nullptr, 0, flags, 0)};
  a.opened = static_cast<bool>(request);
  SetEvent(a.done.get());
}

}  // namespace

void OpenWebAddress(const AnsiText& address) {
  WideText wide = AnsiToWide(address.empty() ? AnsiText(kDefaultWebAddress) : address);
  // ShellExecute's result says whether the shell found a program for it;
  // there is nothing to tell the caller either way.
  ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(wide.c_str()), nullptr, nullptr, SW_SHOWNORMAL);
}

// WinINet's own time-outs are not kept everywhere (name resolution, some
// systems' connect), so the request runs on a thread of its own and the
// caller waits for it no longer than the time-out; closing the session then
// makes the request give up.
bool CanOpenAddress(const AnsiText& url, int timeoutMs) {
  if (url.empty()) return false;
  DWORD timeout = static_cast<DWORD>(timeoutMs > 0 ? timeoutMs : kOnlineProbeTimeoutMs);
  auto attempt = std::make_shared<Attempt>(
      internetOpen(L"test", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0), AnsiToWide(url));
  if (!attempt->session || !attempt->done) return false;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    if (!internetSetOption(attempt->session.get(), option, &timeout, sizeof timeout)) return false;
  auto held = std::make_unique<std::shared_ptr<Attempt>>(attempt);
  if (!StartThread(&MakeRequest, reinterpret_cast<std::intptr_t>(held.get()))) return false;
  held.release();  // the thread's now
  if (WaitForSingleObject(attempt->done.get(), timeout) == WAIT_OBJECT_0) return attempt->opened;
  // Too late: whatever the request does from now on does not count.
  internetCloseHandle(attempt->session.release());
  return false;
}

bool IsOnline() {
  if (!ConnectedBySystem()) return false;
  return CanOpenAddress(kOnlineProbeAddress, kOnlineProbeTimeoutMs);
}

bool StartOnlineProbe(HWND notify, UINT message, const AnsiText& url, int timeoutMs) {
  auto request = std::make_unique<ProbeRequest>(ProbeRequest{notify, message, url, timeoutMs});
  if (!StartThread(&RunProbe, reinterpret_cast<std::intptr_t>(request.get()))) return false;
  request.release();  // the thread owns it now
  return true;
}

bool StartThread(ThreadRoutine routine, std::intptr_t parameter, win::KernelHandle* handle) {
  if (!routine) return false;
  auto start = std::make_unique<ThreadStart>(ThreadStart{routine, parameter});
  win::KernelHandle thread{CreateThread(nullptr, 0, &RunThread, start.get(), 0, nullptr)};
  if (!thread) return false;
  start.release();  // the thread frees it
  if (handle) *handle = std::move(thread);
  return true;
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int CursorX() {
  POINT p{};
  return GetCursorPos(&p) ? p.x : 0;
}

int CursorY() {
  POINT p{};
  return GetCursorPos(&p) ? p.y : 0;
}

}  // namespace yz
