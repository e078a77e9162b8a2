// Label, group box, drawing panel, push button and check box on real
// windows, looked at through what they paint.
#include <functional>

#include "app/testing/kind_test.h"
#include "shell/controls/drawing_panel.h"
#include "shell/controls/group_box.h"
#include "shell/controls/label.h"
#include "shell/operations.h"

namespace yz {
namespace {

using yz::testing::KindTest;

constexpr COLORREF kWhiteRef = RGB(255, 255, 255);

// Rows [first, last] that hold a pixel for which `ink` holds; {-1, -1} if none.
std::pair<int, int> InkRows(const Canvas& c, const std::function<bool(COLORREF)>& ink) {
  int first = -1, last = -1;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (ink(c.Get(x, y))) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

bool NotWhite(COLORREF c) { return c != kWhiteRef; }

int DefaultFontHeight() {
  win::WindowDc dc(nullptr);
  win::Selection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.get(), &tm);
  return tm.tmHeight;
}

ControlDef LabelDef(const char* name, Rect rect, LabelSettings s) {
  return ControlDef{.name = name, .rect = rect, .settings = s};
}

class PaintedKinds : public KindTest {};

TEST_F(PaintedKinds, WordWrappedLabelIsLaidOutFromItsTopEvenWhenCentred) {
  constexpr char kLines[] = " 作者：_墨川\r\n QQ：12345678\r\n E-mail：x@y.example\r\n";
  Window& w = LoadTestWindow({
      LabelDef("折行", {0, 0, 241, 80}, {.background = kWhite, .valign = VAlign::Center, .wordWrap = true,
                                       .text = kLines}),
      LabelDef("单行", {0, 100, 241, 80}, {.background = kWhite, .valign = VAlign::Center, .text = "一行"}),
      LabelDef("长行", {250, 0, 80, 80}, {.background = kWhite, .valign = VAlign::Center, .wordWrap = true,
                                        .text = "aaaa bbbb cccc dddd eeee"}),
  });
  int line = DefaultFontHeight();
  auto [top, bottom] = InkRows(*Render(w.Get<Label>("折行").hwnd()), NotWhite);
  ASSERT_GE(top, 0);
  EXPECT_LE(top, 3);                  // from the top edge, not centred
  EXPECT_GT(bottom, 2 * line);        // three lines
  EXPECT_LT(bottom, 3 * line + 2);
  auto [oneTop, oneBottom] = InkRows(*Render(w.Get<Label>("单行").hwnd()), NotWhite);
  ASSERT_GE(oneTop, 0);
  EXPECT_GE(oneTop, (80 - line) / 2 - 1);  // one line: centred
  EXPECT_LE(oneBottom, (80 + line) / 2 + 1);
  auto [longTop, longBottom] = InkRows(*Render(w.Get<Label>("长行").hwnd()), NotWhite);
  EXPECT_LE(longTop, 3);
  EXPECT_GT(longBottom, line);  // wrapped at the width into several lines
}

TEST_F(PaintedKinds, AboutWindowContactLabelStartsAtItsTop) {
  MakeLayer();
  ASSERT_TRUE(layer->LoadWindow("关于窗口"));
  Pump();
  auto& label = layer->Find("关于窗口")->Get<Label>("标签3");
  EXPECT_EQ(label.Text(), " 作者：_墨川\r\n QQ：12345678\r\n E-mail：mochuan@yanzhou.example\r\n");
  RECT r;
  GetClientRect(label.hwnd(), &r);
  EXPECT_EQ(r.right, 241);
  EXPECT_EQ(r.bottom, 40);
  std::unique_ptr<Canvas> picture = Render(label.hwnd());
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto [top, bottom] = InkRows(*picture, [&](COLORREF c) { return c != face; });
  EXPECT_LE(top, 3);
  // The text is drawn in #0088FF.
  bool blue = false;
  for (int y = 0; y < picture->height() && !blue; ++y)
    for (int x = 0; x < picture->width() && !blue; ++x) blue = picture->Get(x, y) == RGB(0x00, 0x88, 0xFF);
  EXPECT_TRUE(blue);
  EXPECT_TRUE(label.DragsWindow());
}

TEST_F(PaintedKinds, EngravedEffectDrawsWhiteThenTheTextOnePixelRightAndDown) {
  Window& w = LoadTestWindow({
      LabelDef("刻字", {0, 0, 100, 20}, {.effect = 2, .background = 0x808080, .text = "版本：2.0"}),
  });
  std::unique_ptr<Canvas> p = Render(w.Get<Label>("刻字").hwnd());
  // On the grey background, lighter ink is the white pass and darker ink the black one.
  auto white = InkRows(*p, [](COLORREF c) { return GetGValue(c) > 0x80; });
  auto black = InkRows(*p, [](COLORREF c) { return GetGValue(c) < 0x80; });
  ASSERT_GE(white.first, 0);
  ASSERT_GE(black.first, 0);
  EXPECT_EQ(black.first, white.first + 1);
  EXPECT_EQ(black.second, white.second + 1);
}

struct GradientCase {
  int style;
  POINT first;  // where colour 0 shows
  POINT last;   // where colour 2 shows
};

constexpr GradientCase kGradients[] = {
    {1, {0, 20}, {99, 20}},  {2, {99, 20}, {0, 20}}, {3, {50, 0}, {50, 39}}, {4, {50, 39}, {50, 0}},
    {5, {0, 0}, {99, 39}},   {6, {0, 39}, {99, 0}},  {7, {50, 20}, {0, 20}}, {8, {50, 20}, {50, 0}},
};

TEST_F(PaintedKinds, EightGradientStylesRunFromTheFirstColourToTheThird) {
  std::vector<ControlDef> labels;
  static const char* const kNames[] = {"", "渐变1", "渐变2", "渐变3", "渐变4", "渐变5", "渐变6", "渐变7", "渐变8"};
  for (const GradientCase& c : kGradients)
    labels.push_back(LabelDef(kNames[c.style], {0, 0, 100, 40},
                              {.gradient = c.style, .gradientColors = {0xFF0000, 0x00FF00, 0x0000FF}}));
  Window& w = LoadTestWindow(std::move(labels));
  auto similar = [](COLORREF got, COLORREF want) {
    auto d = [](int a, int b) { return a > b ? a - b : b - a; };
    return d(GetRValue(got), GetRValue(want)) <= 16 && d(GetGValue(got), GetGValue(want)) <= 16 &&
           d(GetBValue(got), GetBValue(want)) <= 16;
  };
  for (const GradientCase& c : kGradients) {
    SCOPED_TRACE(c.style);
    std::unique_ptr<Canvas> p = Render(w.Get<Label>(kNames[c.style]).hwnd());
    EXPECT_TRUE(similar(p->Get(c.first.x, c.first.y), RGB(255, 0, 0))) << std::hex << p->Get(c.first.x, c.first.y);
    EXPECT_TRUE(similar(p->Get(c.last.x, c.last.y), RGB(0, 0, 255))) << std::hex << p->Get(c.last.x, c.last.y);
  }
}

TEST_F(PaintedKinds, GradientFrameShadesFromOutsideToInside) {
  Window& w = LoadTestWindow({
      LabelDef("框", {0, 0, 60, 30},
               {.border = 6, .frameWidth = 3, .frameColors = {0xFF0000, 0x00FF00, 0x0000FF}, .background = kWhite}),
      LabelDef("单线", {0, 40, 60, 30}, {.border = 5, .background = kWhite}),
  });
  std::unique_ptr<Canvas> p = Render(w.Get<Label>("框").hwnd());
  EXPECT_EQ(p->Get(0, 15), RGB(255, 0, 0));
  EXPECT_EQ(p->Get(1, 15), RGB(0, 255, 0));
  EXPECT_EQ(p->Get(2, 15), RGB(0, 0, 255));
  EXPECT_EQ(p->Get(3, 15), kWhiteRef);
  EXPECT_EQ(p->Get(59, 29), RGB(255, 0, 0));
  std::unique_ptr<Canvas> single = Render(w.Get<Label>("单线").hwnd());
  EXPECT_EQ(single->Get(0, 15), RGB(0, 0, 0));
  EXPECT_EQ(single->Get(1, 15), kWhiteRef);
}

struct AlignCase {
  Align align;
  bool nearLeft, nearRight;
};

TEST_F(PaintedKinds, HorizontalAlignmentPlacesTheText) {
  Window& w = LoadTestWindow({
      LabelDef("左", {0, 0, 200, 20}, {.background = kWhite, .align = Align::Left, .text = "MM"}),
      LabelDef("中", {0, 30, 200, 20}, {.background = kWhite, .align = Align::Center, .text = "MM"}),
      LabelDef("右", {0, 60, 200, 20}, {.background = kWhite, .align = Align::Right, .text = "MM"}),
  });
  auto columns = [&](const char* name) {
    std::unique_ptr<Canvas> p = Render(w.Get<Label>(name).hwnd());
    int first = -1, last = -1;
    for (int x = 0; x < p->width(); ++x)
      for (int y = 0; y < p->height(); ++y)
        if (NotWhite(p->Get(x, y))) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return std::make_pair(first, last);
  };
  auto left = columns("左"), centre = columns("中"), right = columns("右");
  EXPECT_LE(left.first, 2);
  EXPECT_GE(right.second, 196);
  int middle = (centre.first + centre.second) / 2;
  EXPECT_NEAR(middle, 100, 3);
}

TEST_F(PaintedKinds, LabelRepaintsWithNewText) {
  Window& w = LoadTestWindow({LabelDef("变", {0, 0, 100, 20}, {.background = kWhite, .text = ""})});
  auto& label = w.Get<Label>("变");
  EXPECT_EQ(InkRows(*Render(label.hwnd()), NotWhite).first, -1);
  label.SetText("有字");
  EXPECT_EQ(label.Text(), "有字");
  EXPECT_GE(InkRows(*Render(label.hwnd()), NotWhite).first, 0);
}

// A 2 × 1 24-bit BMP file: a red pixel, then a blue one.
std::string TwoPixelBitmap() {
  std::string b;
  auto u16 = [&](unsigned v) { b += static_cast<char>(v & 0xFF); b += static_cast<char>(v >> 8); };
  auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
  b += "BM";
  u32(14 + 40 + 8);
  u32(0);
  u32(14 + 40);
  u32(40);
  u32(2);
  u32(1);
  u16(1);
  u16(24);
  u32(0);
  u32(8);
  u32(2835);
  u32(2835);
  u32(0);
  u32(0);
  b += std::string("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8);  // BGR red, BGR blue, row padding
  return b;
}

TEST_F(PaintedKinds, BackgroundPictureAtTheTopLeftOrTiled) {
  static const std::string bitmap = TwoPixelBitmap();
  Window& w = LoadTestWindow({
      LabelDef("左上", {0, 0, 10, 4}, {.background = kWhite, .picture = bitmap, .pictureMode = 0}),
      LabelDef("平铺", {0, 10, 10, 4}, {.background = kWhite, .picture = bitmap, .pictureMode = 1}),
  });
  std::unique_ptr<Canvas> once = Render(w.Get<Label>("左上").hwnd());
  EXPECT_EQ(once->Get(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(once->Get(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(once->Get(2, 0), kWhiteRef);
  EXPECT_EQ(once->Get(0, 1), kWhiteRef);
  std::unique_ptr<Canvas> tiled = Render(w.Get<Label>("平铺").hwnd());
  EXPECT_EQ(tiled->Get(2, 0), RGB(255, 0, 0));
  EXPECT_EQ(tiled->Get(9, 3), RGB(0, 0, 255));
}

ControlDef GroupDef(const char* name, Rect rect, GroupBoxSettings s) {
  return ControlDef{.name = name, .rect = rect, .settings = s};
}

TEST_F(PaintedKinds, GroupBoxDrawsItsTitleInTheTopEdgeOrABareFrame) {
  Window& w = LoadTestWindow({
      GroupDef("有题", {10, 10, 128, 40}, {.background = kWhite, .title = "进制"}),
      GroupDef("无题", {10, 60, 128, 40}, {.background = kWhite}),
      GroupDef("居中", {10, 110, 128, 40}, {.titleAlign = Align::Center, .background = kWhite, .title = "中"}),
  });
  auto& titled = w.Get<GroupBox>("有题");
  RECT frame = titled.FrameRect(), title = titled.TitleRect();
  ASSERT_GT(title.right, title.left);
  EXPECT_EQ(frame.top, DefaultFontHeight() / 2);
  std::unique_ptr<Canvas> p = Render(titled.hwnd());
  // The top edge is broken where the title sits, and there the title is drawn.
  int gapX = title.left - 1;
  EXPECT_EQ(p->Get(gapX, frame.top), kWhiteRef);
  EXPECT_NE(p->Get(3, frame.top), kWhiteRef);
  EXPECT_NE(p->Get(127 - 3, frame.top), kWhiteRef);
  bool ink = false;
  for (int x = title.left; x < title.right && !ink; ++x)
    for (int y = title.top; y < title.bottom && !ink; ++y) ink = p->Get(x, y) != kWhiteRef;
  EXPECT_TRUE(ink);
  // The left edge runs below the title line.
  EXPECT_NE(p->Get(0, 30), kWhiteRef);

  auto& bare = w.Get<GroupBox>("无题");
  RECT none = bare.TitleRect();
  EXPECT_EQ(none.right - none.left, 0);
  std::unique_ptr<Canvas> q = Render(bare.hwnd());
  int top = bare.FrameRect().top;
  for (int x = 2; x < 126; ++x) ASSERT_NE(q->Get(x, top), kWhiteRef) << x;

  RECT centred = w.Get<GroupBox>("居中").TitleRect();
  EXPECT_NEAR((centred.left + centred.right) / 2, 64, 1);
}

TEST_F(PaintedKinds, GroupBoxHoldsItsChildrenAndPassesOnTheirNotifications) {
  Record("组内框", {EventKind::TextChanged});
  Window& w = LoadTestWindow({
      GroupDef("分组框2", {148, 124, 128, 40}, {}),
      ControlDef{.name = "组内框",
                 .rect = {8, 16, 24, 16},
                 .settings = EditBoxSettings{.textColor = 0x112233, .inputMode = 6, .text = "10"},
                 .events = {EventKind::TextChanged},
                 .parent = "分组框2",
                 .tabStop = true},
      ControlDef{.name = "标签1", .rect = {34, 16, 40, 16}, .settings = LabelSettings{.text = "进制到"},
                 .parent = "分组框2"},
  });
  auto& group = w.Get<GroupBox>("分组框2");
  auto& box = w.Get<EditBox>("组内框");
  EXPECT_EQ(GetParent(box.hwnd()), group.hwnd());
  EXPECT_EQ(GetParent(w.Get<Label>("标签1").hwnd()), group.hwnd());
  EXPECT_TRUE(IsWindowVisible(box.hwnd()));
  SetFocus(box.hwnd());
  PostMessageW(box.hwnd(), WM_CHAR, '5', 1);
  Pump();
  EXPECT_EQ(log, std::vector<std::string>{"组内框.TextChanged"});
  win::WindowDc dc(box.hwnd());
  SendMessageW(group.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(box.hwnd()));
  EXPECT_EQ(GetTextColor(dc.get()), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(group.ChildHost(0), group.hwnd());
}

TEST_F(PaintedKinds, PressOnALabelOrGroupBoxDragsADragAnywhereWindow) {
  WindowDef dragging;
  dragging.dragAnywhere = true;
  dragging.borderStyle = 0;
  Window& w = LoadTestWindow({LabelDef("拖标签", {10, 10, 60, 20}, {.text = "拖"}), GroupDef("拖组", {10, 40, 80, 40}, {})},
                             dragging);
  for (const char* name : {"拖标签", "拖组"}) {
    SCOPED_TRACE(name);
    HWND h = w.FindControl(name)->hwnd();
    RECT before;
    GetWindowRect(w.hwnd(), &before);
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 15));
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(25, 15));
    Pump();
    RECT after;
    GetWindowRect(w.hwnd(), &after);
    EXPECT_EQ(after.left - before.left, 20);
    EXPECT_EQ(after.top - before.top, 10);
  }
}

TEST_F(PaintedKinds, DrawingPanelMeasuresTextInItsFontAndHoldsChildren) {
  Window& w = LoadTestWindow({
      ControlDef{.name = "标签_滚动文字", .rect = {447, -1, 56, 14},
                 .settings = LabelSettings{.effect = 2, .text = "版本：2.0"}, .parent = "画板1", .disabled = true},
      ControlDef{.name = "画板1", .rect = {8, 204, 400, 13}, .settings = DrawingPanelSettings{}},
      ControlDef{.name = "大字板", .rect = {8, 230, 100, 40},
                 .settings = DrawingPanelSettings{.font = FontDef{.face = "宋体", .height = -24}}},
  });
  auto& panel = w.Get<DrawingPanel>("画板1");
  int line = DefaultFontHeight();
  EXPECT_EQ(TextHeight(panel, "版本：2.0"), line);
  EXPECT_EQ(TextHeight(panel, "一\r\n二"), 2 * line);
  EXPECT_EQ(TextHeight(panel, 123), line);
  EXPECT_GE(TextHeight(w.Get<DrawingPanel>("大字板"), "字"), 24);
  EXPECT_EQ(TextHeight(w.Get<Label>("标签_滚动文字"), "版本：2.0"), 0);
  EXPECT_EQ(GetParent(w.Get<Label>("标签_滚动文字").hwnd()), panel.hwnd());
  EXPECT_FALSE(panel.DragsWindow());
  std::unique_ptr<Canvas> p = Render(panel.hwnd());
  EXPECT_EQ(p->Get(2, 2), GetSysColor(COLOR_BTNFACE));
}

TEST_F(PaintedKinds, CheckBoxRaisesClickedAfterItsStateChanged) {
  std::vector<bool> seen;
  handlers.Add(testing::kTestWindow, "置顶", EventKind::Clicked,
               [&](Event& ev) { seen.push_back(ev.window.Get<CheckBox>("置顶").Checked()); });
  Window& w = LoadTestWindow({
      ControlDef{.name = "置顶", .rect = {10, 10, 72, 16},
                 .settings = CheckBoxSettings{.textColor = 0x0088FF, .caption = "窗口置顶"},
                 .events = {EventKind::Clicked}, .tabStop = true},
      ControlDef{.name = "已选", .rect = {10, 40, 100, 16},
                 .settings = CheckBoxSettings{.pushLike = true, .flat = true, .boxOnRight = true, .checked = true,
                                              .caption = "已选"}},
  });
  auto& box = w.Get<CheckBox>("置顶");
  EXPECT_FALSE(box.Checked());
  box.Click();
  box.Click();
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  auto& ticked = w.Get<CheckBox>("已选");
  EXPECT_TRUE(ticked.Checked());
  LONG style = GetWindowLongW(ticked.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & BS_PUSHLIKE);
  EXPECT_TRUE(style & BS_FLAT);
  EXPECT_TRUE(style & BS_LEFTTEXT);
  win::WindowDc dc(box.hwnd());
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(w.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(box.hwnd())));
  EXPECT_NE(brush, nullptr);
  EXPECT_EQ(GetTextColor(dc.get()), RGB(0x00, 0x88, 0xFF));
  EXPECT_EQ(GetBkColor(dc.get()), GetSysColor(COLOR_BTNFACE));
}

struct ButtonAlignCase {
  Align align;
  VAlign valign;
  DWORD style;
};

constexpr ButtonAlignCase kButtonAligns[] = {
    {Align::Left, VAlign::Top, BS_LEFT | BS_TOP},
    {Align::Center, VAlign::Center, BS_CENTER | BS_VCENTER},
    {Align::Right, VAlign::Bottom, BS_RIGHT | BS_BOTTOM},
};

TEST_F(PaintedKinds, PushButtonAlignmentsDefaultAndClicked) {
  Record("按钮", {EventKind::Clicked});
  static const char* const kNames[] = {"左上", "居中", "右下"};
  std::vector<ControlDef> controls;
  for (size_t i = 0; i < std::size(kButtonAligns); ++i)
    controls.push_back(ControlDef{.name = kNames[i], .rect = {10, 10 + static_cast<int>(i) * 40, 80, 30},
                                  .settings = PushButtonSettings{.align = kButtonAligns[i].align,
                                                                 .valign = kButtonAligns[i].valign,
                                                                 .caption = kNames[i]}});
  controls.push_back(ControlDef{.name = "按钮", .rect = {200, 10, 80, 30},
                                .settings = PushButtonSettings{.isDefault = true, .caption = "转换"},
                                .events = {EventKind::Clicked}});
  Window& w = LoadTestWindow(std::move(controls));
  constexpr DWORD kMask = BS_LEFT | BS_RIGHT | BS_CENTER | BS_TOP | BS_BOTTOM | BS_VCENTER;
  for (size_t i = 0; i < std::size(kButtonAligns); ++i) {
    SCOPED_TRACE(kNames[i]);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(w.Get<PushButton>(kNames[i]).hwnd(), GWL_STYLE)) & kMask,
              kButtonAligns[i].style);
  }
  auto& button = w.Get<PushButton>("按钮");
  EXPECT_EQ(GetWindowLongW(button.hwnd(), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
  EXPECT_EQ(button.Text(), "转换");
  button.Click();
  EXPECT_EQ(log, std::vector<std::string>{"按钮.Clicked"});
}

TEST_F(PaintedKinds, ButtonsShowAStoredPicture) {
  static const std::string bitmap = TwoPixelBitmap();
  Window& w = LoadTestWindow({
      ControlDef{.name = "图按钮", .rect = {10, 10, 40, 30}, .settings = PushButtonSettings{.picture = bitmap}},
      ControlDef{.name = "图选择", .rect = {10, 50, 40, 30},
                 .settings = CheckBoxSettings{.pushLike = true, .picture = bitmap}},
      ControlDef{.name = "无图", .rect = {10, 90, 40, 30}, .settings = PushButtonSettings{.caption = "字"}},
  });
  for (const char* name : {"图按钮", "图选择"}) {
    SCOPED_TRACE(name);
    HWND h = w.FindControl(name)->hwnd();
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & BS_BITMAP);
    auto image = reinterpret_cast<HBITMAP>(SendMessageW(h, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(image, nullptr);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(image, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmHeight, 1);
  }
  HWND plain = w.FindControl("无图")->hwnd();
  EXPECT_FALSE(GetWindowLongW(plain, GWL_STYLE) & BS_BITMAP);
  EXPECT_EQ(SendMessageW(plain, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

}  // namespace
}  // namespace yz
