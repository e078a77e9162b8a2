#include "workspace/base64/base64_page.h"

#include "services/encoding.h"
#include "services/system/message.h"
#include "workspace/base64/base64.h"
#include "workspace/display.h"
#include "workspace/page_layout.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

constexpr int kPage = 4;
constexpr char kBox[] = "编辑框_BASE64编码框";

WideText Widen(std::string_view ascii) { return WideText(ascii.begin(), ascii.end()); }

void Decode(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  AnsiText text = ws.Get<EditBox>(kBox).Text();
  if (text.empty()) {
    ShowMessage("请输入BASE64编码！");
    return;
  }
  std::size_t size = text.size();
  ws.Run(size, [text = std::move(text)]() -> Workspace::Apply {
    Conversion<ByteSeq> bytes = base64::Decode(text);
    if (!bytes.ok()) return Workspace::Refuse(bytes.error->message);
    return Workspace::ShowDecodedGbk(std::move(bytes.value));
  });
}

}  // namespace

std::vector<ControlDef> Base64PageControls() {
  return {
      PageBox(kPage, kBox),
      PageButton(kPage, "按钮_BASE64编码复制", kCopyButtonRect, "复制"),
      PageButton(kPage, "按钮_BASE64编码清空", kClearButtonRect, "清空"),
      PageButton(kPage, "按钮_BASE64编码到文本", kBackButtonRect, "BASE64解码"),
  };
}

void ConvertToBase64(Workspace& ws) {
  std::optional<AnsiText> text = ws.GbkTextToConvert();
  if (!text) return;
  std::size_t size = text->size();
  ws.Run(size, [text = std::move(*text)] { return Workspace::Fill(kBox, Widen(BreakLines(base64::Encode(text)))); });
}

void RegisterBase64Handlers(HandlerRegistry& handlers) {
  handlers.Add(kMainWindow, "按钮_BASE64编码复制", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().CopyBox(kBox); });
  handlers.Add(kMainWindow, "按钮_BASE64编码清空", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().ClearBox(kBox); });
  handlers.Add(kMainWindow, "按钮_BASE64编码到文本", EventKind::Clicked, Decode);
}

}  // namespace yz
