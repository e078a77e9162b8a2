#include "workspace/url/url_page.h"

#include "services/encoding.h"
#include "services/system/message.h"
#include "workspace/display.h"
#include "workspace/page_layout.h"
#include "workspace/url/url.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

constexpr int kPage = 3;
constexpr char kBox[] = "编辑框_网址编码框";
constexpr char kModeOption[] = "选择框1";
constexpr char kDecodeButton[] = "按钮_网址编码到文本";

WideText Widen(std::string_view ascii) { return WideText(ascii.begin(), ascii.end()); }

bool Utf8Mode(const Workspace& ws) { return ws.Get<CheckBox>(kModeOption).Checked(); }

// Long escapes are broken between whole escapes. The encoder writes line
// breaks as %0D%0A, so a raw line break in the box is one the page put there
// (or the user typed) and decoding drops it.
std::string Shown(std::string_view escapes) {
  return BreakLinesWhere(escapes, [](std::string_view t, std::size_t i) {
    bool inEscape = (i >= 1 && t[i - 1] == '%') || (i >= 2 && t[i - 2] == '%');
    return !inEscape;
  });
}

WideText WithoutLineBreaks(WideText text) {
  std::erase(text, u'\r');
  std::erase(text, u'\n');
  return text;
}

void Decode(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  WideText box = ws.Get<EditBox>(kBox).Wide();
  if (Utf8Mode(ws)) {
    std::size_t size = box.size() * 2;
    ws.Run(size, [box = std::move(box)]() -> Workspace::Apply {
      Conversion<WideText> text = url::DecodeUtf8(WithoutLineBreaks(box));
      if (!text.ok()) return Workspace::Refuse(text.error->message);
      return Workspace::ShowDecodedWide(std::move(text.value));
    });
    return;
  }
  bool lossy = false;
  AnsiText escapes = WideToAnsi(WithoutLineBreaks(std::move(box)), &lossy);
  if (lossy) {
    ShowMessage("网址编码框中有GBK不能表示的字符，GBK模式下无法解码，请勾选“切换为URL编码UTF8”后再试。");
    return;
  }
  std::size_t size = escapes.size();
  ws.Run(size, [escapes = std::move(escapes)] { return Workspace::ShowDecodedGbk(url::Decode(escapes)); });
}

void OnModeClicked(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  bool utf8 = Utf8Mode(ws);
  ws.pages().SetPageCaption(kPage - 1, AnsiText(utf8 ? url::kPageTitleUtf8 : url::kPageTitle));
  ws.Get<PushButton>(kDecodeButton).SetText(AnsiText(utf8 ? url::kDecodeCaptionUtf8 : url::kDecodeCaption));
}

}  // namespace

std::vector<ControlDef> UrlPageControls() {
  return {
      ControlDef{.name = kModeOption,
                 .rect = {415, 36, 74, 27},
                 .settings = CheckBoxSettings{.textColor = 0x0088FF,
                                              .font = FontDef{.face = "宋体", .height = -12, .weight = 400},
                                              .caption = "切换为URL编码UTF8"},
                 .events = {EventKind::Clicked},
                 .parent = "高级选择夹1",
                 .page = kPage,
                 .tabStop = true},
      PageBox(kPage, kBox),
      PageButton(kPage, "按钮_网址编码框复制", kCopyButtonRect, "复制"),
      PageButton(kPage, kDecodeButton, kBackButtonRect, "URL解码"),
      PageButton(kPage, "按钮_网址编码清空", kClearButtonRect, "清空"),
  };
}

void ConvertToUrl(Workspace& ws) {
  if (Utf8Mode(ws)) {
    std::optional<WideText> text = ws.WideTextToConvert();
    if (!text) return;
    std::size_t size = text->size() * 2;
    ws.Run(size, [text = std::move(*text)]() -> Workspace::Apply {
      bool lossy = false;
      std::string escapes = url::EncodeUtf8(text, &lossy);
      if (lossy)
        return Workspace::Refuse("文本中有单独的代理码元（不成对的UTF-16），它不是字符，没有UTF-8形式，请删去后再试。");
      return Workspace::Fill(kBox, Widen(Shown(escapes)));
    });
    return;
  }
  std::optional<AnsiText> text = ws.GbkTextToConvert();
  if (!text) return;
  std::size_t size = text->size();
  ws.Run(size, [text = std::move(*text)] { return Workspace::Fill(kBox, Widen(Shown(url::Encode(text)))); });
}

void RegisterUrlHandlers(HandlerRegistry& handlers) {
  handlers.Add(kMainWindow, kModeOption, EventKind::Clicked, OnModeClicked);
  handlers.Add(kMainWindow, "按钮_网址编码框复制", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().CopyBox(kBox); });
  handlers.Add(kMainWindow, "按钮_网址编码清空", EventKind::Clicked,
               [](Event& ev) { ev.window.State<Workspace>().ClearBox(kBox); });
  handlers.Add(kMainWindow, kDecodeButton, EventKind::Clicked, Decode);
}

}  // namespace yz
