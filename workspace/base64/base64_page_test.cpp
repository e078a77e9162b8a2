// Page 4 through the real main window.
#include <windows.h>

#include <thread>

#include "app/testing/gui_test.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

class Base64Page : public yz::testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    w = &LoadMain();
    w->Get<PageControl>("高级选择夹1").SetCurrent(4);
  }
  EditBox& mainBox() { return w->Get<EditBox>("编辑框_文本框"); }
  EditBox& pageBox() { return w->Get<EditBox>("编辑框_BASE64编码框"); }
  void Click(const char* name) { w->Get<PushButton>(name).Click(); }
  void Convert() { Click("按钮_转换"); }
  void Decode() { Click("按钮_BASE64编码到文本"); }

  Window* w = nullptr;
};

TEST_F(Base64Page, ConvertsTheGbkBytesAndDecodesThemBack) {
  mainBox().SetWide(u"中文abc");
  Convert();
  EXPECT_EQ(pageBox().Wide(), u"1tDOxGFiYw==");
  mainBox().SetWide(u"");
  Decode();
  EXPECT_EQ(mainBox().Wide(), u"中文abc");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Base64Page, EmptyMainBoxAsksForText) {
  Convert();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "当前转换为空，请输入文本！");
  EXPECT_EQ(lastCaption, "信息：");
  EXPECT_EQ(pageBox().Wide(), u"");
}

TEST_F(Base64Page, RefusedDecodeSaysWhereAndChangesNoBox) {
  mainBox().SetWide(u"keep");
  pageBox().SetWide(u"YWJj#ZGVm");
  Decode();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("5"), std::string::npos) << messages[0];
  EXPECT_EQ(mainBox().Wide(), u"keep");
  EXPECT_EQ(pageBox().Wide(), u"YWJj#ZGVm");
}

TEST_F(Base64Page, DecodedBinaryThatIsNotGbkTextIsRefused) {
  mainBox().SetWide(u"keep");
  pageBox().SetWide(u"/w==");  // the single byte FF
  Decode();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(mainBox().Wide(), u"keep");
}

TEST_F(Base64Page, DecodedZeroByteEndsTheTextAndSaysSo) {
  pageBox().SetWide(u"YWIAYw==");  // a b 00 c
  Decode();
  EXPECT_EQ(mainBox().Wide(), u"ab");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("3"), std::string::npos) << messages[0];
}

TEST_F(Base64Page, CharacterOutsideGbkIsNamedInsteadOfBecomingAQuestionMark) {
  mainBox().SetWide(u"ab\U0001F600");
  Convert();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("U+1F600"), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("3"), std::string::npos) << messages[0];
  EXPECT_EQ(pageBox().Wide(), u"");
}

TEST_F(Base64Page, ClearEmptiesOnlyThePageBox) {
  mainBox().SetWide(u"abc");
  Convert();
  Click("按钮_BASE64编码清空");
  EXPECT_EQ(pageBox().Wide(), u"");
  EXPECT_EQ(mainBox().Wide(), u"abc");
}

TEST_F(Base64Page, PageBoxKeepsItsTextAcrossEveryPage) {
  pageBox().SetWide(u"YWJj");
  auto& pages = w->Get<PageControl>("高级选择夹1");
  for (int page = 1; page <= 7; ++page) pages.SetCurrent(page);
  pages.SetCurrent(4);
  EXPECT_EQ(pageBox().Wide(), u"YWJj");
  EXPECT_TRUE(pageBox().IsVisible());
}

// Text of many lines, as large texts are.
WideText Lines(std::size_t chars, std::u16string_view line) {
  WideText text;
  text.reserve(chars + line.size());
  while (text.size() < chars) text += line;
  return text;
}

TEST_F(Base64Page, BoxesTakeTextBeyondTheDefaultLimit) {
  WideText big = Lines(100000, u"abcdefghijklmnopqrstuvwxyz0123456789\r\n");
  mainBox().SetWide(big);
  EXPECT_EQ(mainBox().Wide().size(), big.size());
  Convert();
  WideText encoded = pageBox().Wide();
  EXPECT_GT(encoded.size(), 4 * big.size() / 3);
  // MIME lines of 76 characters keep the wrapped box fast.
  EXPECT_EQ(encoded.find(u"\r\n"), 76u);
  mainBox().SetWide(u"");
  Decode();
  EXPECT_EQ(mainBox().Wide(), big);
}

TEST_F(Base64Page, LargeConversionRunsOffTheUiThreadWithConvertingCaption) {
  // 3 MiB of GBK text: big enough for the worker thread.
  WideText big = Lines(400 * 1024, u"中文与ASCII混排的一行文字 line of text\r\n");
  mainBox().SetWide(big);
  Convert();
  EXPECT_TRUE(w->State<Workspace>().busy());
  EXPECT_EQ(w->Get<PushButton>("按钮_转换").Wide(), u"转换中");
  // The window answers while the conversion runs.
  DWORD_PTR answer = 0;
  std::thread probe([&] {
    SendMessageTimeoutW(w->hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer);
  });
  ASSERT_TRUE(PumpUntil([&] { return w->Get<PushButton>("按钮_转换").Wide() == u"转换"; }, 60000));
  probe.join();
  WideText encoded = pageBox().Wide();
  std::erase(encoded, u'\r');
  std::erase(encoded, u'\n');
  EXPECT_EQ(encoded.size() % 4, 0u);
  EXPECT_GT(encoded.size(), big.size());
  // And back, through the same path.
  mainBox().SetWide(u"");
  Decode();
  ASSERT_TRUE(PumpUntil([&] { return !mainBox().Wide().empty(); }, 60000));
  EXPECT_EQ(mainBox().Wide(), big);
}

}  // namespace
}  // namespace yz
