// SetClipboardText on the real clipboard (tests of this file hold the
// clipboard lock: the clipboard is shared by every test process).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <thread>

#include "services/system/message.h"
#include "services/win/handles.h"

namespace yz {
namespace {

// What the clipboard holds in a format; nullopt when it holds nothing there.
std::optional<std::string> ClipboardBytes(UINT format) {
  win::ClipboardSession open(nullptr);
  if (!open.is_open()) return std::nullopt;
  HANDLE h = GetClipboardData(format);
  if (!h) return std::nullopt;
  win::GlobalLockScope lock(h);
  if (!lock.get()) return std::nullopt;
  return std::string(static_cast<const char*>(lock.get()), lock.size());
}

std::string ClipboardAnsi() {
  std::string b = ClipboardBytes(CF_TEXT).value_or("");
  return std::string(b.c_str());
}

std::u16string ClipboardWide() {
  std::string b = ClipboardBytes(CF_UNICODETEXT).value_or("");
  std::u16string w(b.size() / 2, u'\0');
  std::memcpy(w.data(), b.data(), w.size() * 2);
  return std::u16string(w.c_str());
}

struct RoundTrip {
  const char* gbk;
  const char16_t* wide;
};

constexpr RoundTrip kRoundTrips[] = {
    {"abc", u"abc"},
    {"复制失败", u"复制失败"},
    {"{ 186, 186, 214, 219 }", u"{ 186, 186, 214, 219 }"},
    {"行一\r\n行二", u"行一\r\n行二"},
    {"", u""},
};

TEST(Clipboard, TextRoundTripsAsAnsiAndUnicode) {
  for (const RoundTrip& c : kRoundTrips) {
    SCOPED_TRACE(c.gbk);
    ASSERT_TRUE(SetClipboardText(c.gbk));
    EXPECT_EQ(ClipboardAnsi(), c.gbk);
    EXPECT_EQ(ClipboardWide(), c.wide);
    // The block is the text and its terminating zero.
    std::optional<std::string> raw = ClipboardBytes(CF_TEXT);
    ASSERT_TRUE(raw.has_value());
    ASSERT_GE(raw->size(), std::strlen(c.gbk) + 1);
    EXPECT_EQ((*raw)[std::strlen(c.gbk)], '\0');
  }
}

TEST(Clipboard, EmptiesWhatWasThereBefore) {
  ASSERT_TRUE(SetClipboardText("先"));
  {
    // Another format beside the text.
    win::ClipboardSession open(nullptr);
    ASSERT_TRUE(open.is_open());
    win::GlobalMemory block{GlobalAlloc(GMEM_MOVEABLE, 4)};
    ASSERT_TRUE(block);
    UINT custom = RegisterClipboardFormatW(L"YzTestFormat");
    ASSERT_NE(SetClipboardData(custom, block.get()), nullptr);
    block.release();
  }
  ASSERT_TRUE(SetClipboardText("后"));
  EXPECT_FALSE(ClipboardBytes(RegisterClipboardFormatW(L"YzTestFormat")).has_value());
  EXPECT_EQ(ClipboardAnsi(), "后");
}

TEST(Clipboard, FailsWhileAnotherThreadHoldsItOpenAndLeavesItAlone) {
  ASSERT_TRUE(SetClipboardText("之前"));
  win::KernelHandle opened{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  win::KernelHandle release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  ASSERT_TRUE(opened);
  ASSERT_TRUE(release);
  bool holding = false;
  std::thread holder([&] {
    // Opened for a window of the holding thread: a clipboard open without
    // a window is, under Wine, shared by every caller without one.
    win::OwnedWindow owner{CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           GetModuleHandleW(nullptr), nullptr)};
    holding = owner && OpenClipboard(owner.get()) != FALSE;
    SetEvent(opened.get());
    WaitForSingleObject(release.get(), 10000);
    if (holding) CloseClipboard();
  });
  WaitForSingleObject(opened.get(), 10000);
  bool result = SetClipboardText("之后");
  SetEvent(release.get());
  holder.join();
  ASSERT_TRUE(holding);
  EXPECT_FALSE(result);
  EXPECT_EQ(ClipboardAnsi(), "之前");
  EXPECT_EQ(ClipboardWide(), u"之前");
}

}  // namespace
}  // namespace yz
