#include "workspace/pages.h"

#include "workspace/base64/base64_page.h"
#include "workspace/page_layout.h"

namespace yz {
namespace {

constexpr const char* kPageControl = "高级选择夹1";

// Pages whose conversions come later show their shared layout already.
std::vector<ControlDef> ByteSetPageControls() {
  constexpr int page = 1;
  ControlDef box = PageBox(page, "编辑框_字节集框");
  box.events = {EventKind::KeyDown};
  return {
      box,
      ControlDef{.name = "选择框_字节集添加到文本",
                 .rect = {420, 37, 56, 19},
                 .settings = CheckBoxSettings{.caption = "到文本"},
                 .parent = kPageControl,
                 .page = page,
                 .tabStop = true},
      PageButton(page, "按钮_字节集框复制", kCopyButtonRect, "复制"),
      PageButton(page, "按钮_字节集清空", kClearButtonRect, "清空"),
      PageButton(page, "按钮_字节集到文本", kBackButtonRect, "字节集到文本"),
  };
}

std::vector<ControlDef> RadixPageControls() {
  constexpr int page = 2;
  auto inGroup = [](ControlDef c) {
    c.parent = "分组框2";
    c.page = 0;
    return c;
  };
  EditBoxSettings base{.inputMode = 6};
  EditBoxSettings from = base, to = base;
  from.text = "10";
  to.text = "16";
  return {
      PageBox(page, "编辑框_16进制框"),
      PageButton(page, "按钮_16进制框复制", kCopyButtonRect, "复制"),
      PageButton(page, "按钮_16进制清空", kClearButtonRect, "清空"),
      ControlDef{.name = "分组框2", .rect = {148, 124, 128, 40}, .settings = GroupBoxSettings{},
                 .parent = kPageControl, .page = page},
      inGroup(ControlDef{.name = "编辑框_进制前", .rect = {8, 16, 24, 16}, .settings = from, .tabStop = true}),
      inGroup(ControlDef{.name = "标签1", .rect = {34, 16, 40, 16}, .settings = LabelSettings{.text = "进制到"}}),
      inGroup(ControlDef{.name = "编辑框_进制后", .rect = {72, 16, 24, 16}, .settings = to, .tabStop = true}),
      inGroup(ControlDef{.name = "标签2", .rect = {97, 16, 24, 16}, .settings = LabelSettings{.text = "进制"}}),
      PageButton(page, "按钮_进制转换", kBackButtonRect, "进制转换"),
  };
}

std::vector<ControlDef> UrlPageControls() {
  constexpr int page = 3;
  return {
      ControlDef{.name = "选择框1",
                 .rect = {415, 36, 74, 27},
                 .settings = CheckBoxSettings{.textColor = 0x0088FF,
                                              .font = FontDef{.face = "宋体", .height = -12, .weight = 400},
                                              .caption = "切换为URL编码UTF8"},
                 .events = {EventKind::Clicked},
                 .parent = kPageControl,
                 .page = page,
                 .tabStop = true},
      PageBox(page, "编辑框_网址编码框"),
      PageButton(page, "按钮_网址编码框复制", kCopyButtonRect, "复制"),
      PageButton(page, "按钮_网址编码到文本", kBackButtonRect, "URL解码"),
      PageButton(page, "按钮_网址编码清空", kClearButtonRect, "清空"),
  };
}

std::vector<ControlDef> UnicodePageControls() {
  constexpr int page = 5;
  return {
      PageBox(page, "编辑框_UNICODE编码框"),
      PageButton(page, "按钮_UNICODE编码复制", kCopyButtonRect, "复制"),
      PageButton(page, "按钮_UNICODE编码清空", kClearButtonRect, "清空"),
      PageButton(page, "按钮_UNICODE到文本", kBackButtonRect, "UNICODE解码"),
  };
}

const PageUnit kUnits[] = {
    {1, ByteSetPageControls, nullptr, nullptr},
    {2, RadixPageControls, nullptr, nullptr},
    {3, UrlPageControls, nullptr, nullptr},
    {4, Base64PageControls, ConvertToBase64, RegisterBase64Handlers},
    {5, UnicodePageControls, nullptr, nullptr},
};

}  // namespace

std::span<const PageUnit> PageUnits() { return kUnits; }

}  // namespace yz
