// Page 3 through the real main window, in both modes.
#include "workspace/page_test_fixture.h"

namespace yz {
namespace {

class UrlPage : public testing::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    Open(3);
  }
  EditBox& pageBox() { return box("编辑框_网址编码框"); }
  CheckBox& utf8() { return w->Get<CheckBox>("选择框1"); }
  void Decode() { Click("按钮_网址编码到文本"); }
};

TEST_F(UrlPage, RoundTripInBothModes) {
  struct Case {
    bool utf8;
    const char16_t *text, *encoded;
  } cases[] = {
      {false, u"中 a/", u"%D6%D0%20a%2F"},
      {true, u"中 a/", u"%E4%B8%AD%20a%2F"},
      {true, u"\U0001F600x", u"%F0%9F%98%80x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(reinterpret_cast<const wchar_t*>(c.encoded));
    if (utf8().Checked() != c.utf8) utf8().Click();
    mainBox().SetWide(c.text);
    Convert();
    EXPECT_EQ(pageBox().Wide(), c.encoded);
    mainBox().SetWide(u"");
    Decode();
    EXPECT_EQ(mainBox().Wide(), c.text);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(UrlPage, CheckBoxSwitchesTheCaptions) {
  auto& pages = w->Get<PageControl>("高级选择夹1");
  auto& button = w->Get<PushButton>("按钮_网址编码到文本");
  utf8().Click();
  EXPECT_TRUE(utf8().Checked());
  EXPECT_EQ(pages.Caption(3), "URL编码UTF8");
  EXPECT_EQ(button.Wide(), u"URL解码UTF8");
  utf8().Click();
  EXPECT_EQ(pages.Caption(3), "URL网页编码");
  EXPECT_EQ(button.Wide(), u"URL解码");
}

TEST_F(UrlPage, GbkModeRefusesNonGbkAndUtf8ModeRefusesBadBytes) {
  mainBox().SetWide(u"\U0001F600");
  Convert();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(pageBox().Wide(), u"");
  utf8().Click();
  mainBox().SetWide(u"keep");
  pageBox().SetWide(u"ab%FF");
  Decode();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].find("3"), std::string::npos) << messages[1];
  EXPECT_EQ(mainBox().Wide(), u"keep");
}

TEST_F(UrlPage, LongResultIsShownInLinesOfWholeEscapesAndDecodesBack) {
  for (bool mode : {false, true}) {
    if (utf8().Checked() != mode) utf8().Click();
    WideText text;
    for (int i = 0; i < 200; ++i) text += u"中文 ab/c";
    mainBox().SetWide(text);
    Convert();
    WideText shown = pageBox().Wide();
    ASSERT_NE(shown.find(u"\r\n"), WideText::npos);
    for (std::size_t at = shown.find(u"\r\n"); at != WideText::npos; at = shown.find(u"\r\n", at + 2)) {
      ASSERT_TRUE(at + 2 < shown.size());
      EXPECT_NE(shown[at - 1], u'%');
      EXPECT_FALSE(at >= 2 && shown[at - 2] == u'%');
    }
    mainBox().SetWide(u"");
    Decode();
    EXPECT_EQ(mainBox().Wide(), text);
  }
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace yz
