// Page 2 through the real main window.
#include "workspace/page_test_fixture.h"

namespace yz {
namespace {

class RadixPage : public testing::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    Open(2);
  }
  EditBox& pageBox() { return box("编辑框_16进制框"); }
  void Radix() { Click("按钮_进制转换"); }
};

TEST_F(RadixPage, HexOfTheGbkBytes) {
  mainBox().SetWide(u"中a");
  Convert();
  EXPECT_EQ(pageBox().Wide(), u"D6D061");
  EXPECT_TRUE(messages.empty());
}

TEST_F(RadixPage, ConvertsBetweenTheBasesOfTheBaseBoxes) {
  struct Case {
    const char16_t *number, *from, *to, *result;
  } cases[] = {
      {u"255", u"10", u"16", u"FF"},
      {u" ff ", u"16", u"2", u"11111111"},
      {u"Z", u"36", u"10", u"35"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(reinterpret_cast<const wchar_t*>(c.number));
    mainBox().SetWide(c.number);
    box("编辑框_进制前").SetWide(c.from);
    box("编辑框_进制后").SetWide(c.to);
    Radix();
    EXPECT_EQ(pageBox().Wide(), c.result);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(RadixPage, RefusalsShowTheirMessagesAndChangeNoBox) {
  struct Case {
    const char16_t *number, *from, *to;
    const char* message;
  } cases[] = {
      {u"12A", u"10", u"16", "参数错误-12A不是一个有效的10进制数！"},
      {u"12", u"", u"16", "参数错误-进制只能在2-36之间"},
      {u"12", u"10", u"37", "参数错误-进制只能在2-36之间"},
      {u"", u"10", u"16", "请输入文本！"},
  };
  for (const Case& c : cases) {
    messages.clear();
    pageBox().SetWide(u"keep");
    mainBox().SetWide(c.number);
    box("编辑框_进制前").SetWide(c.from);
    box("编辑框_进制后").SetWide(c.to);
    Radix();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
    EXPECT_EQ(pageBox().Wide(), u"keep");
  }
}

// 20,000 digits to base 36 and back: exact, off the UI thread, and the
// result, shown in lines, reads back as it is.
TEST_F(RadixPage, LongNumberRoundTripsThroughTheWindow) {
  WideText number;
  for (int i = 0; i < 20000; ++i) number += static_cast<char16_t>(u'0' + (i * 7 + 3) % 10);
  number[0] = u'7';
  // Typed in lines (a wrapped box is slow on one long line under Wine).
  WideText lines;
  for (size_t i = 0; i < number.size(); i += 80) lines += number.substr(i, 80) + u"\r\n";
  mainBox().SetWide(lines);
  box("编辑框_进制前").SetWide(u"10");
  box("编辑框_进制后").SetWide(u"36");
  Radix();
  EXPECT_TRUE(ws().busy());
  ASSERT_TRUE(PumpUntil([&] { return !ws().busy() && !pageBox().Wide().empty(); }, 30000));
  WideText base36 = pageBox().Wide();
  EXPECT_NE(base36.find(u"\r\n"), WideText::npos);
  mainBox().SetWide(base36);
  box("编辑框_进制前").SetWide(u"36");
  box("编辑框_进制后").SetWide(u"10");
  pageBox().SetWide(u"");
  Radix();
  ASSERT_TRUE(PumpUntil([&] { return !ws().busy() && !pageBox().Wide().empty(); }, 30000));
  WideText back = pageBox().Wide();
  std::erase(back, u'\r');
  std::erase(back, u'\n');
  EXPECT_EQ(back, number);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace yz
