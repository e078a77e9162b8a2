// Page 1 through the real main window.
#include "workspace/page_test_fixture.h"

namespace yz {
namespace {

class ByteSetPage : public testing::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    Open(1);
  }
  EditBox& pageBox() { return box("编辑框_字节集框"); }
  CheckBox& wrap() { return w->Get<CheckBox>("选择框_字节集添加到文本"); }
  void Back() { Click("按钮_字节集到文本"); }
};

TEST_F(ByteSetPage, RoundTripInBothForms) {
  struct Case {
    bool wrapped;
    const char16_t* shown;
  } cases[] = {
      {false, u"{214,208,97}"},
      {true, u"到文本({214,208,97})"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wrapped);
    wrap().SetChecked(c.wrapped);
    mainBox().SetWide(u"中a");
    Convert();
    EXPECT_EQ(pageBox().Wide(), c.shown);
    mainBox().SetWide(u"");
    Back();
    EXPECT_EQ(mainBox().Wide(), u"中a");
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(ByteSetPage, FormNotMatchingTheOptionIsRefusedWithItsMessage) {
  struct Case {
    bool wrapped;
    const char16_t* notation;
    const char* message;
  } cases[] = {
      {false, u"到文本({97})", "转换失败，请勾选“到文本”选项，谢谢！"},
      {true, u"{97}", "转换失败，请取消勾选“到文本”选项，谢谢！"},
      {false, u"  ", "请输入字节集！"},
  };
  for (const Case& c : cases) {
    messages.clear();
    wrap().SetChecked(c.wrapped);
    mainBox().SetWide(u"keep");
    pageBox().SetWide(c.notation);
    Back();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], c.message);
    EXPECT_EQ(mainBox().Wide(), u"keep");
    EXPECT_EQ(pageBox().Wide(), c.notation);
  }
}

TEST_F(ByteSetPage, BadValueIsNamedAndZeroByteEndsTheText) {
  mainBox().SetWide(u"keep");
  pageBox().SetWide(u"{97,256}");
  Back();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("256"), std::string::npos) << messages[0];
  EXPECT_EQ(mainBox().Wide(), u"keep");
  messages.clear();
  pageBox().SetWide(u"{97,98,0,99}");
  Back();
  EXPECT_EQ(mainBox().Wide(), u"ab");
  ASSERT_EQ(messages.size(), 1u);
}

TEST_F(ByteSetPage, EmptyMainBoxAndNonGbkCharacterAreRefused) {
  Convert();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "当前转换为空，请输入文本！");
  mainBox().SetWide(u"a\U0001F600");
  Convert();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].find("U+1F600"), std::string::npos) << messages[1];
  EXPECT_EQ(pageBox().Wide(), u"");
}

TEST_F(ByteSetPage, LongNotationIsShownInLinesAndReadsBack) {
  WideText text;
  for (int i = 0; i < 300; ++i) text += u"中文abc";
  mainBox().SetWide(text);
  Convert();
  WideText shown = pageBox().Wide();
  EXPECT_NE(shown.find(u",\r\n"), WideText::npos);
  mainBox().SetWide(u"");
  Click("按钮_字节集到文本");
  EXPECT_EQ(mainBox().Wide(), text);
  EXPECT_TRUE(messages.empty());
}

TEST_F(ByteSetPage, CtrlASelectsTheWholeNotation) {
  pageBox().SetWide(u"{1,2,3}");
  pageBox().SetSelection(0, 0);
  PressKey(pageBox().hwnd(), 'A', false, true);
  EXPECT_EQ(pageBox().Selection(), (std::pair<int, int>{0, 7}));
}

}  // namespace
}  // namespace yz
