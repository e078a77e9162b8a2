#include "workspace/byteset/byteset_page.h"

#include <windows.h>

#include "services/encoding.h"
#include "services/system/message.h"
#include "workspace/byteset/byteset.h"
#include "workspace/display.h"
#include "workspace/page_layout.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

constexpr int kPage = 1;
constexpr char kBox[] = "编辑框_字节集框";
constexpr char kWrapOption[] = "选择框_字节集添加到文本";

byteset::Form FormOf(const Workspace& ws) {
  return ws.Get<CheckBox>(kWrapOption).Checked() ? byteset::Form::kWrapped : byteset::Form::kBare;
}

// Long notations are broken after a comma, where the reader allows white space.
std::string Shown(std::string_view notation) {
  return BreakLinesWhere(notation, [](std::string_view t, std::size_t i) { return i > 0 && t[i - 1] == ','; });
}

void Decode(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  AnsiText notation = ws.Get<EditBox>(kBox).Text();
  byteset::Form form = FormOf(ws);
  std::size_t size = notation.size();
  ws.Run(size, [notation = std::move(notation), form]() -> Workspace::Apply {
    Conversion<ByteSeq> bytes = byteset::Decode(notation, form);
    if (!bytes.ok()) return Workspace::Refuse(bytes.error->message);
    return Workspace::ShowDecodedGbk(std::move(bytes.value));
  });
}

// Ctrl+A selects the whole notation.
void OnBoxKeyDown(Event& ev) {
  if (ev.args[0] == 'A' && (ev.args[1] & kKeyCtrl)) {
    ev.window.Get<EditBox>(kBox).SelectAll();
    ev.Return(0);
  }
}

}  // namespace

std::vector<ControlDef> ByteSetPageControls() {
  ControlDef box = PageBox(kPage, kBox);
  box.events = {EventKind::KeyDown};
  return {
      box,
      ControlDef{.name = kWrapOption,
                 .rect = {420, 37, 56, 19},
                 .settings = CheckBoxSettings{.caption = "到文本"},
                 .parent = "高级选择夹1",
                 .page = kPage,
                 .tabStop = true},
      PageButton(kPage, "按钮_字节集框复制", kCopyButtonRect, "复制"),
      PageButton(kPage, "按钮_字节集清空", kClearButtonRect, "清空"),
      PageButton(kPage, "按钮_字节集到文本", kBackButtonRect, "字节集到文本"),
  };
}

void ConvertToByteSet(Workspace& ws) {
  std::optional<AnsiText> text = ws.GbkTextToConvert();
  if (!text) return;
  byteset::Form form = FormOf(ws);
  std::size_t size = text->size();
  ws.Run(size, [text = std::move(*text), form] {
    return Workspace::Fill(kBox, AnsiToWide(Shown(byteset::Encode(text, form))));
  });
}

void RegisterByteSetHandlers(HandlerRegistry& handlers) {
  handlers.Add(kMainWindow, "按钮_字节集框复制", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().CopyBox(kBox); });
  handlers.Add(kMainWindow, "按钮_字节集清空", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().ClearBox(kBox); });
  handlers.Add(kMainWindow, "按钮_字节集到文本", EventKind::Clicked, Decode);
  handlers.Add(kMainWindow, kBox, EventKind::KeyDown, OnBoxKeyDown);
}

}  // namespace yz
