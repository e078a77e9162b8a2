#include "workspace/unicode/unicode_page.h"

#include "workspace/display.h"
#include "workspace/page_layout.h"
#include "workspace/unicode/unicode.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

constexpr int kPage = 5;
constexpr char kBox[] = "编辑框_UNICODE编码框";

WideText Widen(std::string_view ascii) { return WideText(ascii.begin(), ascii.end()); }

// The written form is read back with white space between units, so lines
// broken between whole units read back as they were.
void Decode(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  WideText written = ws.Get<EditBox>(kBox).Wide();
  std::size_t size = written.size() * 2;
  ws.Run(size, [written = std::move(written)]() -> Workspace::Apply {
    Conversion<WideText> text = unicode::Decode(written);
    if (!text.ok()) return Workspace::Refuse(text.error->message);
    return Workspace::ShowDecodedWide(std::move(text.value));
  });
}

}  // namespace

std::vector<ControlDef> UnicodePageControls() {
  return {
      PageBox(kPage, kBox),
      PageButton(kPage, "按钮_UNICODE编码复制", kCopyButtonRect, "复制"),
      PageButton(kPage, "按钮_UNICODE编码清空", kClearButtonRect, "清空"),
      PageButton(kPage, "按钮_UNICODE到文本", kBackButtonRect, "UNICODE解码"),
  };
}

void ConvertToUnicode(Workspace& ws) {
  std::optional<WideText> text = ws.WideTextToConvert();
  if (!text) return;
  std::size_t size = text->size() * 2;
  ws.Run(size, [text = std::move(*text)] {
    return Workspace::Fill(kBox, Widen(BreakLines(unicode::Encode(text), kResultLineWidth, 4)));
  });
}

void RegisterUnicodeHandlers(HandlerRegistry& handlers) {
  handlers.Add(kMainWindow, "按钮_UNICODE编码复制", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().CopyBox(kBox); });
  handlers.Add(kMainWindow, "按钮_UNICODE编码清空", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().ClearBox(kBox); });
  handlers.Add(kMainWindow, "按钮_UNICODE到文本", EventKind::Clicked, Decode);
}

}  // namespace yz
