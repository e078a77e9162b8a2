// Message boxes, threads, raw memory, the reachability probe (against a
// server of the test's own on the loopback address), the screen and the
// cursor.
#include "services/system/system.h"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "services/system/memory.h"
#include "services/system/message.h"

namespace yz {
namespace {

// --- ShowMessage through the display seam ---

struct Shown {
  AnsiText content;
  int flags = -1;
  AnsiText caption;
};

class MessageSeam : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetMessageDisplay([this](const AnsiText& content, int flags, const AnsiText& caption) {
      shown.push_back({content, flags, caption});
      return answer;
    });
  }
  void TearDown() override { SetMessageDisplay(std::move(previous_)); }

  std::vector<Shown> shown;
  int answer = kResultOk;

 private:
  MessageDisplay previous_;
};

struct FlagCase {
  int given;
  int passed;  // to the box
};

constexpr FlagCase kFlags[] = {
    {0, 0x2000},                  // MB_OK: task-modal added
    {1, 0x2001},                  // MB_OKCANCEL
    {4 | 32, 0x2024},             // MB_YESNO | MB_ICONQUESTION
    {16, 0x2010},                 // MB_ICONERROR
    {48, 0x2030},                 // MB_ICONWARNING
    {64, 0x2040},                 // MB_ICONINFORMATION
    {0x1000, 0x1000},             // system-modal: nothing added
    {0x1000 | 64, 0x1040},
    {0x2000, 0x2000},             // already task-modal
};

TEST_F(MessageSeam, TaskModalIsAddedUnlessSystemModal) {
  for (const FlagCase& c : kFlags) {
    SCOPED_TRACE(c.given);
    shown.clear();
    ShowMessage("内容", c.given);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].flags, c.passed);
  }
}

TEST_F(MessageSeam, DefaultCaptionAndResultsComeBack) {
  ShowMessage("复制失败");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].content, "复制失败");
  EXPECT_EQ(shown[0].caption, "信息：");
  ShowMessage("问", 4, "砚舟全能工具");
  EXPECT_EQ(shown[1].caption, "砚舟全能工具");
  for (int result = kResultOk; result <= kResultNo; ++result) {
    answer = result;
    EXPECT_EQ(ShowMessage("问", 4), result);
  }
}

// --- a real message box, closed by a hook that presses a button ---

int g_pressButton = IDOK;
HHOOK g_hook = nullptr;
std::wstring g_boxCaption;
std::wstring g_boxText;

HWND g_box = nullptr;

// Runs in the box's own message loop, once the box is up: reads it, then
// presses the button.
void CALLBACK ReadAndPress(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  wchar_t text[64] = {};
  GetWindowTextW(g_box, text, 64);
  g_boxCaption = text;
  g_boxText.clear();
  EnumChildWindows(
      g_box,
      [](HWND child, LPARAM) -> BOOL {
        wchar_t kind[16] = {}, words[64] = {};
        GetClassNameW(child, kind, 16);
        GetWindowTextW(child, words, 64);
        if (_wcsicmp(kind, L"Static") == 0 && words[0]) g_boxText = words;
        return TRUE;
      },
      0);
  // Posting WM_CLOSE gives IDCANCEL under Wine even for MB_OK: press the button.
  PostMessageW(g_box, WM_COMMAND, MAKEWPARAM(g_pressButton, BN_CLICKED), 0);
}

LRESULT CALLBACK PressWhenActivated(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) {
    auto box = reinterpret_cast<HWND>(wp);
    wchar_t cls[16] = {};
    GetClassNameW(box, cls, 16);
    if (std::wstring(cls) == L"#32770") {
      g_box = box;
      SetTimer(nullptr, 0, 10, &ReadAndPress);
    }
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

struct BoxCase {
  int flags;
  int button;
  int result;
};

constexpr BoxCase kBoxes[] = {
    {0, IDOK, kResultOk},
    {1, IDCANCEL, kResultCancel},
    {2, IDABORT, kResultAbort},
    {2, IDRETRY, kResultRetry},
    {2, IDIGNORE, kResultIgnore},
    {4, IDYES, kResultYes},
    {4, IDNO, kResultNo},
};

TEST(RealMessageBox, ButtonsGiveTheirResultCodes) {
  MessageDisplay previous = SetMessageDisplay({});  // the real box
  win::Hook hook{SetWindowsHookExW(WH_CBT, &PressWhenActivated, nullptr, GetCurrentThreadId())};
  ASSERT_TRUE(hook);
  g_hook = hook.get();
  for (const BoxCase& c : kBoxes) {
    SCOPED_TRACE(std::to_string(c.flags) + " button " + std::to_string(c.button));
    g_pressButton = c.button;
    g_boxCaption.clear();
    EXPECT_EQ(ShowMessage("消息内容", c.flags), c.result);
    EXPECT_EQ(g_boxCaption, L"信息：");
  }
  EXPECT_EQ(g_boxText, L"消息内容");
  g_hook = nullptr;
  SetMessageDisplay(std::move(previous));
}

// --- threads ---

std::atomic<std::intptr_t> g_seen{0};

void Remember(std::intptr_t parameter) { g_seen = parameter; }

TEST(StartThreadTest, RunsTheRoutineWithItsParameterAndHandsOverTheHandle) {
  g_seen = 0;
  win::KernelHandle handle;
  ASSERT_TRUE(StartThread(&Remember, 42, &handle));
  ASSERT_TRUE(handle);
  ASSERT_EQ(WaitForSingleObject(handle.get(), 10000), WAIT_OBJECT_0);
  EXPECT_EQ(g_seen.load(), 42);
  DWORD code = 1;
  ASSERT_TRUE(GetExitCodeThread(handle.get(), &code));
  EXPECT_EQ(code, 0u);
}

TEST(StartThreadTest, WithoutAHandleVariableTheThreadStillRuns) {
  g_seen = 0;
  ASSERT_TRUE(StartThread(&Remember, 7));
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (g_seen.load() != 7 && std::chrono::steady_clock::now() < end) Sleep(1);
  EXPECT_EQ(g_seen.load(), 7);
  g_seen = 0;
  ASSERT_TRUE(StartThread(&Remember));  // the parameter defaults to 0
  EXPECT_FALSE(StartThread(nullptr));
}

// --- raw memory ---

TEST(RawMemory, VariableAddressPointsAtTheData) {
  AnsiText text = "字节";
  EXPECT_EQ(VariableAddress(text), reinterpret_cast<std::intptr_t>(text.data()));
  EXPECT_EQ(VariableAddress(AnsiText()), 0);
  std::vector<int> list = {1, 2, 3};
  EXPECT_EQ(VariableAddress(list), reinterpret_cast<std::intptr_t>(list.data()));
  EXPECT_EQ(VariableAddress(std::vector<int>()), 0);
  int number = 5;
  EXPECT_EQ(VariableAddress(number), reinterpret_cast<std::intptr_t>(&number));
  static_assert(sizeof(VariableAddress(number)) == sizeof(void*), "addresses are pointer-sized");
}

TEST(RawMemory, PointerToTextAndBytesCopy) {
  AnsiText text = "到零为止";
  std::string withZero("ab\0cd", 5);
  EXPECT_EQ(PointerToText(VariableAddress(text)), text);
  EXPECT_EQ(PointerToText(VariableAddress(withZero)), "ab");
  EXPECT_EQ(PointerToText(0), "");
  EXPECT_EQ(PointerToBytes(VariableAddress(withZero), 5), withZero);
  EXPECT_EQ(PointerToBytes(VariableAddress(withZero), 0), "");
  EXPECT_EQ(PointerToBytes(VariableAddress(withZero), -3), "");
  EXPECT_EQ(PointerToBytes(0, 4), "");
  // A copy: later changes to the source do not reach it.
  ByteSeq copy = PointerToBytes(VariableAddress(withZero), 2);
  withZero[0] = 'z';
  EXPECT_EQ(copy, "ab");
}

// --- the reachability probe against a loopback server ---

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~WinsockSession() { if (ok_) WSACleanup(); }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

class Socket {
 public:
  explicit Socket(SOCKET s = INVALID_SOCKET) : s_(s) {}
  ~Socket() { if (s_ != INVALID_SOCKET) closesocket(s_); }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const { return s_; }

 private:
  SOCKET s_;
};

// A listening socket on 127.0.0.1 with a free port.
struct Listener {
  Socket socket{::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)};
  int port = 0;

  bool Open() {
    if (socket.get() == INVALID_SOCKET) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(socket.get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return false;
    int size = sizeof a;
    if (getsockname(socket.get(), reinterpret_cast<sockaddr*>(&a), &size) != 0) return false;
    port = ntohs(a.sin_port);
    return listen(socket.get(), 4) == 0;
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port) + "/probe"; }
};

// Answers one request with 200 OK (or not at all) and keeps what was asked.
class OneShotServer {
 public:
  OneShotServer(Listener& listener, bool answer) : thread_([this, &listener, answer] {
    // Waits a while for the client, so that a probe that never connects
    // does not keep the test waiting for ever.
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener.socket.get(), &readable);
    timeval wait{10, 0};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1) return;
    Socket client{accept(listener.socket.get(), nullptr, nullptr)};
    if (client.get() == INVALID_SOCKET) return;
    char buf[4096];
    int n = recv(client.get(), buf, sizeof buf, 0);
    if (n > 0) request_.assign(buf, static_cast<size_t>(n));
    if (answer) {
      const char reply[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
      send(client.get(), reply, sizeof reply - 1, 0);
    } else {
      WaitForSingleObject(done_.get(), 15000);
    }
  }) {}
  ~OneShotServer() { Finish(); }
  void Finish() {
    SetEvent(done_.get());
    if (thread_.joinable()) thread_.join();
  }
  const std::string& request() const { return request_; }

 private:
  win::KernelHandle done_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::string request_;
  std::thread thread_;
};

class Probe : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(winsock_.ok()); }
  WinsockSession winsock_;
};

TEST_F(Probe, AnsweredRequestCountsAsOpenedAndIsFreshWithAgentTest) {
  Listener listener;
  ASSERT_TRUE(listener.Open());
  OneShotServer server(listener, true);
  EXPECT_TRUE(CanOpenAddress(listener.Url(), 4000));
  server.Finish();
  const std::string& request = server.request();
  EXPECT_EQ(request.rfind("GET /probe HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("User-Agent: test\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("no-cache"), std::string::npos) << request;
}

TEST_F(Probe, ClosedPortIsNotOpened) {
  int port = 0;
  {
    Listener listener;
    ASSERT_TRUE(listener.Open());
    port = listener.port;
  }  // closed again: nobody listens there now
  EXPECT_FALSE(CanOpenAddress("http://127.0.0.1:" + std::to_string(port) + "/", 2000));
  EXPECT_FALSE(CanOpenAddress("", 2000));
}

TEST_F(Probe, SilentServerTimesOut) {
  Listener listener;
  ASSERT_TRUE(listener.Open());
  OneShotServer server(listener, false);
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(CanOpenAddress(listener.Url(), 1000));
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::seconds(8));
}

TEST_F(Probe, AsyncProbePostsItsAnswerToTheWindow) {
  Listener listener;
  ASSERT_TRUE(listener.Open());
  OneShotServer server(listener, true);
  win::OwnedWindow target{CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          GetModuleHandleW(nullptr), nullptr)};
  ASSERT_TRUE(target);
  constexpr UINT kAnswer = WM_APP + 300;
  DWORD caller = GetCurrentThreadId();
  ASSERT_TRUE(StartOnlineProbe(target.get(), kAnswer, listener.Url(), 4000));
  MSG msg{};
  bool got = false;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!got && std::chrono::steady_clock::now() < end) {
    got = PeekMessageW(&msg, target.get(), kAnswer, kAnswer, PM_REMOVE) != FALSE;
    if (!got) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE);
  }
  ASSERT_TRUE(got);
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_EQ(GetCurrentThreadId(), caller);  // the answer is handled here, the work was done elsewhere
  EXPECT_FALSE(server.request().empty());
}

// --- screen and cursor ---

TEST(ScreenAndCursor, ScreenWidthIsThePrimaryScreens) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  int width = GetDeviceCaps(screen, HORZRES);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(ScreenWidth(), width);
  EXPECT_GT(ScreenWidth(), 0);
}

TEST(ScreenAndCursor, CursorPositionFollowsTheMouse) {
  ASSERT_TRUE(SetCursorPos(123, 234));
  EXPECT_EQ(CursorX(), 123);
  EXPECT_EQ(CursorY(), 234);
  ASSERT_TRUE(SetCursorPos(300, 40));
  EXPECT_EQ(CursorX(), 300);
  EXPECT_EQ(CursorY(), 40);
}

}  // namespace
}  // namespace yz
