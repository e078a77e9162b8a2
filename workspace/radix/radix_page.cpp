#include "workspace/radix/radix_page.h"

#include <cstdlib>

#include "services/encoding.h"
#include "workspace/display.h"
#include "workspace/page_layout.h"
#include "workspace/radix/radix.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

constexpr int kPage = 2;
constexpr char kBox[] = "编辑框_16进制框";

WideText Widen(std::string_view ascii) { return WideText(ascii.begin(), ascii.end()); }

// The base in a base box; an empty box (or one without a number) counts as 0,
// which the conversion refuses as out of range.
int BaseIn(const Workspace& ws, std::string_view box) {
  AnsiText text = ws.Get<EditBox>(box).Text();
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < -1000 || value > 1000) value = 0;
  return static_cast<int>(value);
}

void ConvertRadix(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  AnsiText number = ws.mainBox().Text();
  int from = BaseIn(ws, "编辑框_进制前");
  int to = BaseIn(ws, "编辑框_进制后");
  std::size_t size = number.size();
  // The conversion costs the square of the length: a few thousand digits
  // already take long enough to go to the worker.
  constexpr std::size_t kBackgroundDigits = 4096;
  ws.Run(size, [number = std::move(number), from, to]() -> Workspace::Apply {
    Conversion<AnsiText> result = radix::Convert(number, from, to);
    if (!result.ok()) return Workspace::Refuse(result.error->message);
    return Workspace::Fill(kBox, Widen(BreakLines(result.value)));
  }, kBackgroundDigits);
}

}  // namespace

std::vector<ControlDef> RadixPageControls() {
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
      PageBox(kPage, kBox),
      PageButton(kPage, "按钮_16进制框复制", kCopyButtonRect, "复制"),
      PageButton(kPage, "按钮_16进制清空", kClearButtonRect, "清空"),
      ControlDef{.name = "分组框2", .rect = {148, 124, 128, 40}, .settings = GroupBoxSettings{},
                 .parent = "高级选择夹1", .page = kPage},
      inGroup(ControlDef{.name = "编辑框_进制前", .rect = {8, 16, 24, 16}, .settings = from, .tabStop = true}),
      inGroup(ControlDef{.name = "标签1", .rect = {34, 16, 40, 16}, .settings = LabelSettings{.text = "进制到"}}),
      inGroup(ControlDef{.name = "编辑框_进制后", .rect = {72, 16, 24, 16}, .settings = to, .tabStop = true}),
      inGroup(ControlDef{.name = "标签2", .rect = {97, 16, 24, 16}, .settings = LabelSettings{.text = "进制"}}),
      PageButton(kPage, "按钮_进制转换", kBackButtonRect, "进制转换"),
  };
}

void ConvertToHex(Workspace& ws) {
  std::optional<AnsiText> text = ws.GbkTextToConvert();
  if (!text) return;
  std::size_t size = text->size();
  ws.Run(size, [text = std::move(*text)] { return Workspace::Fill(kBox, Widen(BreakLines(radix::ToHex(text), kResultLineWidth, 2))); });
}

void RegisterRadixHandlers(HandlerRegistry& handlers) {
  handlers.Add(kMainWindow, "按钮_16进制框复制", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().CopyBox(kBox); });
  handlers.Add(kMainWindow, "按钮_16进制清空", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().ClearBox(kBox); });
  handlers.Add(kMainWindow, "按钮_进制转换", EventKind::Clicked, ConvertRadix);
}

}  // namespace yz
