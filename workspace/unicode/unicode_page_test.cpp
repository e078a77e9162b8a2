// Page 5 through the real main window.
#include "workspace/page_test_fixture.h"

namespace yz {
namespace {

class UnicodePage : public testing::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    Open(5);
  }
  EditBox& pageBox() { return box("编辑框_UNICODE编码框"); }
  void Decode() { Click("按钮_UNICODE到文本"); }
};

TEST_F(UnicodePage, RoundTripKeepsEveryCharacter) {
  struct Case {
    const char16_t *text, *written;
  } cases[] = {
      {u"中文", u"4E2D6587"},
      {u"a\U0001F600", u"0061D83DDE00"},
  };
  for (const Case& c : cases) {
    mainBox().SetWide(c.text);
    Convert();
    EXPECT_EQ(pageBox().Wide(), c.written);
    mainBox().SetWide(u"");
    Decode();
    EXPECT_EQ(mainBox().Wide(), c.text);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(UnicodePage, MarkedFormsDecodeAndOthersAreRefused) {
  pageBox().SetWide(u"\\u4E2D U+6587 &#x41;");
  Decode();
  EXPECT_EQ(mainBox().Wide(), u"中文A");
  EXPECT_TRUE(messages.empty());
  pageBox().SetWide(u"4E2DXYZ0");
  Decode();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(mainBox().Wide(), u"中文A");
}

TEST_F(UnicodePage, LongResultInLinesDecodesBack) {
  WideText text;
  for (int i = 0; i < 500; ++i) text += u"中文\U0001F600";
  mainBox().SetWide(text);
  Convert();
  EXPECT_EQ(pageBox().Wide().find(u"\r\n"), 76u);
  mainBox().SetWide(u"");
  Decode();
  EXPECT_EQ(mainBox().Wide(), text);
}

}  // namespace
}  // namespace yz
