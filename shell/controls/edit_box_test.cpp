// The edit box on real windows: input modes, case conversion, wrapping,
// growing, spin buttons and the other settings.
#include "shell/controls/edit_box.h"

#include <commctrl.h>

#include <string>

#include "app/testing/kind_test.h"
#include "shell/operations.h"
#include "services/encoding.h"

namespace yz {
namespace {

using yz::testing::KindTest;

std::string Narrow(const WideText& w) { return WideToUtf8(w); }

ControlDef Box(const char* name, EditBoxSettings s, Rect rect = {10, 10, 120, 22}) {
  return ControlDef{.name = name, .rect = rect, .settings = s, .events = {EventKind::TextChanged}, .tabStop = true};
}

// A button to take the focus away from the boxes.
ControlDef Elsewhere() {
  return ControlDef{.name = "别处", .rect = {300, 250, 80, 24}, .settings = PushButtonSettings{.caption = "别处"},
                    .tabStop = true};
}

class EditBoxTest : public KindTest {
 protected:
  void Type(HWND box, std::u16string_view chars) {
    for (char16_t c : chars) PostMessageW(box, WM_CHAR, c, 1);
    Pump();
  }
};

struct TypingCase {
  int mode;
  const char16_t* typed;
  const char16_t* shown;
};

constexpr TypingCase kTyping[] = {
    {0, u"a1-.中,", u"a1-.中,"},
    {1, u"a1-", u""},
    {2, u"pw1", u"pw1"},
    {3, u"-12a.3", u"-123"},
    {4, u"-1.5e", u"-1.5"},
    {5, u"-25x5", u"255"},
    {6, u"9a9-中", u"99-"},
    {6, u"12\b3", u"13"},  // Backspace is a control key: always accepted
    {7, u"+-7.", u"-7"},
    {8, u"1 2", u"12"},
    {9, u"-1.5e3", u"-1.53"},
    {10, u"2,5.0", u"25.0"},
    {11, u"2024年1月x", u"2024年1月x"},
};

TEST_F(EditBoxTest, TypingKeepsOnlyTheCharactersOfTheInputMode) {
  std::vector<ControlDef> boxes;
  static const char* const kNames[] = {"模式0", "模式1", "模式2", "模式3", "模式4",  "模式5",
                                       "模式6", "模式7", "模式8", "模式9", "模式10", "模式11"};
  for (int mode = 0; mode < 12; ++mode)
    boxes.push_back(Box(kNames[mode], EditBoxSettings{.inputMode = mode}, {10, 10 + mode * 20, 200, 18}));
  Window& w = LoadTestWindow(std::move(boxes));
  for (const TypingCase& c : kTyping) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " typed " + Narrow(c.typed));
    auto& box = w.Get<EditBox>(kNames[c.mode]);
    box.SetWide(u"");
    SetFocus(box.hwnd());
    Type(box.hwnd(), c.typed);
    EXPECT_EQ(Narrow(box.Wide()), Narrow(c.shown));
  }
}

struct LeavingCase {
  int mode;
  const char16_t* text;
  const char16_t* shown;  // after losing the focus
};

constexpr LeavingCase kLeaving[] = {
    // byte
    {5, u"300", u"255"},
    {5, u"042", u"42"},
    {5, u"-5", u""},
    {5, u"0", u""},
    // short integer (the base boxes of the radix page)
    {6, u"99999", u"32767"},
    {6, u"-99999", u"-32768"},
    {6, u"0", u""},
    {6, u"000", u""},
    {6, u"16", u"16"},
    {6, u" 12abc", u"12"},
    {6, u"abc", u""},
    {6, u"--5", u""},
    {6, u"1-2", u"1"},
    // integer
    {7, u"99999999999", u"2147483647"},
    {7, u"-2147483649", u"-2147483648"},
    // long integer
    {8, u"99999999999999999999", u"9223372036854775807"},
    {8, u"-99999999999999999999", u"-9223372036854775808"},
    {8, u"-12", u"-12"},
    // single and double precision
    {9, u"0.1000", u"0.1"},
    {9, u"3.14159265358979", u"3.1415927"},
    {9, u"1e39", u"3.4028235e+38"},
    {9, u"-0", u""},
    {9, u"0.0", u""},
    {10, u"0.1000", u"0.1"},
    {10, u"3.14159265358979", u"3.14159265358979"},
    {10, u"-2.50x", u"-2.5"},
    {10, u".", u""},
    // date and time
    {11, u"2024-2-29", u"2024-02-29"},
    {11, u"2023-2-29", u""},
    {11, u"2024年3月5日 8时7分6秒", u"2024-03-05 08:07:06"},
    {11, u"2024/12/31 23:59", u"2024-12-31 23:59:00"},
    {11, u"2024-1-1 24:00", u""},
    {11, u"明天", u""},
    // modes that do not re-write
    {0, u"0", u"0"},
    {3, u"007", u"007"},
    {4, u"0.0", u"0.0"},
};

TEST_F(EditBoxTest, LosingTheFocusReWritesTheTextOfModesFiveToEleven) {
  std::vector<ControlDef> controls;
  static const char* const kNames[] = {"模式0", "模式1", "模式2", "模式3", "模式4",  "模式5",
                                       "模式6", "模式7", "模式8", "模式9", "模式10", "模式11"};
  for (int mode = 0; mode < 12; ++mode)
    controls.push_back(Box(kNames[mode], EditBoxSettings{.inputMode = mode}, {10, 10 + mode * 20, 200, 18}));
  controls.push_back(Elsewhere());
  Window& w = LoadTestWindow(std::move(controls));
  HWND other = w.Get<PushButton>("别处").hwnd();
  for (const LeavingCase& c : kLeaving) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " text " + Narrow(c.text));
    auto& box = w.Get<EditBox>(kNames[c.mode]);
    SetFocus(box.hwnd());
    box.SetWide(c.text);
    SetFocus(other);
    Pump();
    EXPECT_EQ(Narrow(box.Wide()), Narrow(c.shown));
    // The portable rule agrees with what the box did.
    std::optional<WideText> rule = EditModeRewrite(c.mode, c.text);
    EXPECT_EQ(Narrow(rule.value_or(c.text)), Narrow(c.shown));
  }
}

TEST_F(EditBoxTest, TypedNinesBecomeTheShortMaximumAndTypedZeroEmptiesTheBox) {
  Window& w = LoadTestWindow({Box("基数", EditBoxSettings{.inputMode = 6, .text = "10"}), Elsewhere()});
  auto& box = w.Get<EditBox>("基数");
  HWND other = w.Get<PushButton>("别处").hwnd();
  SetFocus(box.hwnd());
  box.SelectAll();
  Type(box.hwnd(), u"x99999");
  EXPECT_EQ(box.Wide(), u"99999");
  SetFocus(other);
  EXPECT_EQ(box.Wide(), u"32767");
  SetFocus(box.hwnd());
  box.SelectAll();
  Type(box.hwnd(), u"0");
  SetFocus(other);
  EXPECT_EQ(box.Wide(), u"");
}

TEST_F(EditBoxTest, ReWritingPutsTheCaretAtTheFormerSelectionStartAndSkipsEqualText) {
  Record("基数", {EventKind::TextChanged});
  Window& w = LoadTestWindow({Box("基数", EditBoxSettings{.inputMode = 6}), Elsewhere()});
  auto& box = w.Get<EditBox>("基数");
  HWND other = w.Get<PushButton>("别处").hwnd();
  SetFocus(box.hwnd());
  box.SetWide(u"99999");
  box.SetSelection(3, 2);
  log.clear();
  SetFocus(other);
  EXPECT_EQ(box.Wide(), u"32767");
  EXPECT_EQ(box.Selection(), std::make_pair(3, 0));
  EXPECT_EQ(log.size(), 1u);  // one change: the re-writing
  // A former selection start beyond the new text ends at its end.
  SetFocus(box.hwnd());
  box.SetWide(u"00007");
  box.SetSelection(4, 1);
  SetFocus(other);
  EXPECT_EQ(box.Wide(), u"7");
  EXPECT_EQ(box.Selection(), std::make_pair(1, 0));
  // Text that reads as itself is left alone: no change event.
  SetFocus(box.hwnd());
  box.SetWide(u"16");
  box.SetSelection(0, 2);
  log.clear();
  SetFocus(other);
  EXPECT_EQ(box.Wide(), u"16");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(box.Selection(), std::make_pair(0, 2));
}

TEST_F(EditBoxTest, CaseConversionAppliesToTextPutInByTheProgram) {
  Window& w = LoadTestWindow({
      Box("大写", EditBoxSettings{.caseConversion = 2, .text = "md5 abc"}),
      Box("小写", EditBoxSettings{.caseConversion = 1}, {10, 40, 120, 22}),
      Box("原样", EditBoxSettings{}, {10, 70, 120, 22}),
  });
  auto& upper = w.Get<EditBox>("大写");
  auto& lower = w.Get<EditBox>("小写");
  auto& plain = w.Get<EditBox>("原样");
  EXPECT_EQ(upper.Text(), "MD5 ABC");  // the stored text
  upper.SetText("d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(upper.Text(), "D41D8CD98F00B204E9800998ECF8427E");
  upper.SetWide(u"中文ab");
  EXPECT_EQ(upper.Wide(), u"中文AB");
  SetWindowTextW(upper.hwnd(), L"xyz");
  EXPECT_EQ(upper.Wide(), u"XYZ");
  SendMessageW(upper.hwnd(), EM_SETSEL, 3, 3);
  SendMessageW(upper.hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"q"));
  EXPECT_EQ(upper.Wide(), u"XYZQ");
  SetFocus(upper.hwnd());
  Type(upper.hwnd(), u"r");
  EXPECT_EQ(upper.Wide(), u"XYZQR");
  lower.SetText("ABC Def");
  EXPECT_EQ(lower.Text(), "abc def");
  plain.SetText("AbC");
  EXPECT_EQ(plain.Text(), "AbC");
}

TEST_F(EditBoxTest, MultiLineBoxWithoutHorizontalScrollBarWraps) {
  Window& w = LoadTestWindow({
      Box("折行", EditBoxSettings{.multiLine = true}, {10, 10, 150, 100}),
      Box("竖滚", EditBoxSettings{.multiLine = true, .scrollBars = 2}, {170, 10, 150, 100}),
      Box("横滚", EditBoxSettings{.multiLine = true, .scrollBars = 1}, {10, 120, 150, 100}),
      Box("双滚", EditBoxSettings{.multiLine = true, .scrollBars = 3}, {170, 120, 150, 100}),
  });
  std::string line;
  for (int i = 0; i < 30; ++i) line += "word ";
  struct Want {
    const char* box;
    bool wraps;
  };
  for (Want want : {Want{"折行", true}, Want{"竖滚", true}, Want{"横滚", false}, Want{"双滚", false}}) {
    SCOPED_TRACE(want.box);
    auto& box = w.Get<EditBox>(want.box);
    box.SetText(line);
    LRESULT lines = SendMessageW(box.hwnd(), EM_GETLINECOUNT, 0, 0);
    if (want.wraps) EXPECT_GT(lines, 1);
    else EXPECT_EQ(lines, 1);
    EXPECT_EQ((GetWindowLongW(box.hwnd(), GWL_STYLE) & WS_HSCROLL) != 0, !want.wraps);
  }
}

TEST_F(EditBoxTest, EnterInsertsALineBreakInAMultiLineBox) {
  Window& w = LoadTestWindow({Box("多行", EditBoxSettings{.multiLine = true}, {10, 10, 150, 100})});
  auto& box = w.Get<EditBox>("多行");
  SetFocus(box.hwnd());
  Type(box.hwnd(), u"a");
  PressKey(box.hwnd(), VK_RETURN);
  Type(box.hwnd(), u"b");
  EXPECT_EQ(box.Wide(), u"a\r\nb");
  EXPECT_TRUE(box.ClaimsKey(VK_RETURN));
}

int DefaultFontHeight() {
  win::WindowDc dc(nullptr);
  win::Selection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  return tm.tmHeight;
}

int Height(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return r.bottom - r.top;
}

TEST_F(EditBoxTest, SingleLineBoxGrowsToTheFontHeightPlusTwoEdges) {
  Window& w = LoadTestWindow({
      Box("矮", EditBoxSettings{.inputMode = 6, .text = "10"}, {8, 16, 24, 16}),
      Box("高", EditBoxSettings{}, {40, 16, 60, 40}),
      Box("多行矮", EditBoxSettings{.multiLine = true}, {110, 16, 60, 10}),
  });
  int least = DefaultFontHeight() + 2 * GetSystemMetrics(SM_CYEDGE);
  ASSERT_GT(least, 16);
  EXPECT_EQ(Height(w.Get<EditBox>("矮").hwnd()), least);
  EXPECT_EQ(Height(w.Get<EditBox>("高").hwnd()), 40);
  EXPECT_EQ(Height(w.Get<EditBox>("多行矮").hwnd()), 10);
  RECT r;
  GetWindowRect(w.Get<EditBox>("矮").hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 24);
}

TEST_F(EditBoxTest, SpinButtonsStepWithinTheirRange) {
  Window& w = LoadTestWindow(
      {Box("微调", EditBoxSettings{.spin = true, .spinMin = 1, .spinMax = 3, .text = "1"}, {10, 10, 80, 22})});
  auto& box = w.Get<EditBox>("微调");
  HWND spin = box.spin();
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), box.hwnd());
  int lo = 0, hi = 0;
  SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 3);
  EXPECT_TRUE(IsWindowVisible(spin));
  SetFocus(box.hwnd());
  PressKey(box.hwnd(), VK_UP);
  EXPECT_EQ(box.Wide(), u"2");
  PressKey(box.hwnd(), VK_UP);
  PressKey(box.hwnd(), VK_UP);
  EXPECT_EQ(box.Wide(), u"3");
  ShowWindow(box.hwnd(), SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(spin));
}

TEST_F(EditBoxTest, SpinButtonsFollowTheirBoxWhenItMoves) {
  Window& w = LoadTestWindow({Box("微调", EditBoxSettings{.spin = true}, {10, 10, 80, 22})});
  auto& box = w.Get<EditBox>("微调");
  auto inParent = [&](HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  RECT spinBefore = inParent(box.spin());
  MoveControl(box, 40, 50, 120, 30);
  RECT b = inParent(box.hwnd()), s = inParent(box.spin());
  EXPECT_EQ(b.left, 40);
  EXPECT_EQ(s.left, b.right);
  EXPECT_EQ(s.top, b.top);
  EXPECT_EQ(s.bottom, b.bottom);
  EXPECT_EQ(s.right - s.left, spinBefore.right - spinBefore.left);
}

TEST_F(EditBoxTest, DestroyingTheBoxTakesItsSpinButtons) {
  Window& w = LoadTestWindow({Box("微调", EditBoxSettings{.spin = true}, {10, 10, 80, 22})});
  HWND spin = w.Get<EditBox>("微调").spin();
  ASSERT_TRUE(IsWindow(spin));
  w.DestroyControl(w.Get<EditBox>("微调"));
  EXPECT_FALSE(IsWindow(spin));
}

struct BorderCase {
  int border;
  DWORD exStyle;
  bool singleLine;
};

constexpr BorderCase kBorders[] = {
    {0, 0, false},
    {1, WS_EX_CLIENTEDGE, false},
    {2, WS_EX_DLGMODALFRAME, false},
    {3, WS_EX_STATICEDGE, false},
    {4, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, false},
    {5, 0, true},
};

TEST_F(EditBoxTest, BordersFollowTheirSetting) {
  static const char* const kNames[] = {"边框0", "边框1", "边框2", "边框3", "边框4", "边框5"};
  std::vector<ControlDef> boxes;
  for (const BorderCase& c : kBorders)
    boxes.push_back(Box(kNames[c.border], EditBoxSettings{.border = c.border}, {10, 10 + c.border * 30, 100, 26}));
  Window& w = LoadTestWindow(std::move(boxes));
  constexpr DWORD kEdges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  for (const BorderCase& c : kBorders) {
    SCOPED_TRACE(c.border);
    HWND h = w.Get<EditBox>(kNames[c.border]).hwnd();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE)) & kEdges, c.exStyle);
    // The single line is drawn by the box itself, at the edge of its client area.
    std::unique_ptr<Canvas> picture = Render(h);
    COLORREF edge = picture->Get(0, picture->height() / 2);
    EXPECT_EQ(edge != RGB(255, 255, 255), c.singleLine) << std::hex << edge;
  }
}

TEST_F(EditBoxTest, ColoursReachTheBoxThroughItsParent) {
  Window& w = LoadTestWindow({Box("彩色", EditBoxSettings{.textColor = 0x123456, .background = 0xABCDEF})});
  HWND box = w.Get<EditBox>("彩色").hwnd();
  win::WindowDc dc(box);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(w.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(box)));
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(GetTextColor(dc.get()), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(GetBkColor(dc.get()), RGB(0xAB, 0xCD, 0xEF));
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObjectW(brush, sizeof lb, &lb));
  EXPECT_EQ(lb.lbColor, RGB(0xAB, 0xCD, 0xEF));
}

TEST_F(EditBoxTest, StylesFollowAlignmentHideSelectionReadOnlyAndPassword) {
  Window& w = LoadTestWindow({
      Box("居中", EditBoxSettings{.hideSelection = false, .align = Align::Center}),
      Box("居右", EditBoxSettings{.align = Align::Right}, {10, 40, 120, 22}),
      Box("只读", EditBoxSettings{.inputMode = 1}, {10, 70, 120, 22}),
      Box("密码", EditBoxSettings{.inputMode = 2}, {10, 100, 120, 22}),
      Box("井号", EditBoxSettings{.passwordChar = '#'}, {10, 130, 120, 22}),
  });
  auto style = [&](const char* name) { return GetWindowLongW(w.Get<EditBox>(name).hwnd(), GWL_STYLE); };
  EXPECT_TRUE(style("居中") & ES_CENTER);
  EXPECT_TRUE(style("居中") & ES_NOHIDESEL);
  EXPECT_TRUE(style("居右") & ES_RIGHT);
  EXPECT_FALSE(style("居右") & ES_NOHIDESEL);
  EXPECT_TRUE(style("只读") & ES_READONLY);
  EXPECT_EQ(SendMessageW(w.Get<EditBox>("密码").hwnd(), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(SendMessageW(w.Get<EditBox>("井号").hwnd(), EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_EQ(SendMessageW(w.Get<EditBox>("居中").hwnd(), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(EditBoxTest, MaximumLengthLimitsTypingAndZeroMeansNoLimit) {
  Window& w = LoadTestWindow({
      Box("五个", EditBoxSettings{.maxLength = 5}),
      Box("不限", EditBoxSettings{}, {10, 40, 120, 22}),
  });
  auto& five = w.Get<EditBox>("五个");
  SetFocus(five.hwnd());
  Type(five.hwnd(), u"1234567");
  EXPECT_EQ(five.Wide(), u"12345");
  EXPECT_GT(SendMessageW(w.Get<EditBox>("不限").hwnd(), EM_GETLIMITTEXT, 0, 0), 30000 * 1000);
}

TEST_F(EditBoxTest, StoredSelectionAndTextChangedEvent) {
  Record("选区", {EventKind::TextChanged});
  Window& w = LoadTestWindow({Box("选区", EditBoxSettings{.selStart = 1, .selLength = 2, .text = "abcd"})});
  auto& box = w.Get<EditBox>("选区");
  EXPECT_EQ(box.Selection(), std::make_pair(1, 2));
  EXPECT_TRUE(log.empty());  // nothing while the window was created
  SetFocus(box.hwnd());
  Type(box.hwnd(), u"x");
  EXPECT_EQ(box.Wide(), u"axd");
  EXPECT_EQ(log, std::vector<std::string>{"选区.TextChanged"});
}

TEST_F(EditBoxTest, StoredFontGetsTheSystemCharacterSet) {
  FontDef font{.face = "宋体", .height = -20, .weight = 700, .charset = 134, .quality = 3};
  Window& w = LoadTestWindow({Box("字体", EditBoxSettings{.font = font}, {10, 10, 200, 30})});
  auto h = reinterpret_cast<HFONT>(SendMessageW(w.Get<EditBox>("字体").hwnd(), WM_GETFONT, 0, 0));
  ASSERT_NE(h, nullptr);
  LOGFONTW lf{};
  ASSERT_TRUE(GetObjectW(h, sizeof lf, &lf));
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
}

}  // namespace
}  // namespace yz
