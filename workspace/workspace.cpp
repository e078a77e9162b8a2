#include "workspace/workspace.h"

#include <array>
#include <new>

#include "services/encoding.h"
#include "services/system/message.h"
#include "workspace/pages.h"
#include "workspace/text_check.h"

namespace yz {
namespace {

constexpr UINT kMsgConversionDone = kMsgFirstUser;

// 1-based character (code point) position of the first UTF-16 unit at or
// after which a prefix of `text` stops converting to GBK cleanly.
std::size_t FirstNonGbkCharacter(const WideText& text, char32_t* code) {
  // Smallest prefix that is lossy, found by halving.
  std::size_t lo = 0, hi = text.size();
  while (hi - lo > 1) {
    std::size_t mid = lo + (hi - lo) / 2;
    bool lossy = false;
    WideToAnsi(std::u16string_view(text).substr(0, mid), &lossy);
    (lossy ? hi : lo) = mid;
  }
  std::size_t unit = hi - 1;  // the unit that made the prefix lossy
  if (unit > 0 && text[unit] >= 0xDC00 && text[unit] <= 0xDFFF && text[unit - 1] >= 0xD800 && text[unit - 1] <= 0xDBFF)
    --unit;
  char16_t u = text[unit];
  *code = u;
  if (u >= 0xD800 && u <= 0xDBFF && unit + 1 < text.size())
    *code = 0x10000 + ((u - 0xD800) << 10) + (text[unit + 1] - 0xDC00);
  std::size_t chars = 1;
  for (std::size_t i = 0; i < unit; ++i)
    if (!(text[i] >= 0xDC00 && text[i] <= 0xDFFF && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF)) ++chars;
  return chars;
}

AnsiText Number(std::size_t n) { return std::to_string(n); }

AnsiText HexCode(char32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
  return buf;
}

// The controls of every page, in the pages' stored order.
std::vector<ControlDef> PageControlAndPages() {
  std::vector<ControlDef> out;
  PageControlSettings settings{
      .pages =
          {
              {"字节集", "文本到字节集互换（易语言）"},
              {"进制转换", "全能进制转换"},
              {"URL网页编码", "网页URL编码转换"},
              {"BASE64编码", "BASE64编码转换"},
              {"UNICODE编码", "UNICODE编码转换"},
              {"MD5加密", "文本MD5加密，拖放文件取MD5"},
              {"功能待完善", "墨川_Kae"},
          },
      .font = FontDef{.face = "宋体", .height = -12, .weight = 400, .charset = 134 /* GB2312 */},
  };
  out.push_back(ControlDef{.name = "高级选择夹1", .rect = {17, 129, 494, 169}, .settings = std::move(settings)});
  for (const PageUnit& unit : PageUnits())
    for (ControlDef& c : unit.controls()) out.push_back(std::move(c));
  return out;
}

void OnConvertClicked(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  int page = ws.pages().Current();
  for (const PageUnit& unit : PageUnits())
    if (unit.page == page && unit.convert) unit.convert(ws);
}

// Ctrl+A selects the whole text; Ctrl+Enter converts.
void OnMainBoxKeyDown(Event& ev) {
  auto key = ev.args[0];
  bool ctrl = (ev.args[1] & kKeyCtrl) != 0;
  if (!ctrl) return;
  Workspace& ws = ev.window.State<Workspace>();
  if (key == 'A') {
    ws.mainBox().SelectAll();
    ev.Return(0);
  } else if (key == VK_RETURN) {
    OnConvertClicked(ev);
    ev.Return(0);
  }
}

void OnKeepOnTopClicked(Event& ev) {
  auto& box = ev.window.Get<CheckBox>("选择框_置顶窗口");
  ev.window.SetAlwaysOnTop(box.Checked());
}

}  // namespace

Workspace::Workspace(Window& window) : window_(window) {
  window_.OnMessage(kMsgConversionDone, [this](WPARAM, LPARAM) { Finish(); });
}

Workspace::~Workspace() {
  pageStates_.clear();
  if (worker_.joinable()) worker_.join();
}

EditBox& Workspace::mainBox() const { return Get<EditBox>("编辑框_文本框"); }
PushButton& Workspace::convertButton() const { return Get<PushButton>("按钮_转换"); }
PageControl& Workspace::pages() const { return Get<PageControl>("高级选择夹1"); }

void Workspace::Run(std::size_t inputBytes, Work work, std::size_t backgroundFrom) {
  if (busy()) return;
  if (inputBytes < backgroundFrom) {
    work()(*this);
    return;
  }
  convertButton().SetText(kConvertingCaption);
  HWND hwnd = window_.hwnd();
  worker_ = std::thread([this, hwnd, work = std::move(work)] {
    try {
      pending_ = work();
    } catch (const std::bad_alloc&) {
      pending_ = Refuse("内存不足，无法完成这次转换。");
    }
    PostMessageW(hwnd, kMsgConversionDone, 0, 0);
  });
}

void Workspace::Finish() {
  if (!worker_.joinable()) return;
  worker_.join();
  convertButton().SetText(kConvertCaption);
  Apply apply = std::move(pending_);
  pending_ = nullptr;
  if (apply) apply(*this);
}

std::optional<AnsiText> Workspace::GbkTextToConvert() const {
  WideText wide = mainBox().Wide();
  if (wide.empty()) {
    ShowMessage(kEmptyConversion);
    return std::nullopt;
  }
  bool lossy = false;
  AnsiText text = WideToAnsi(wide, &lossy);
  if (lossy) {
    char32_t code = 0;
    std::size_t at = FirstNonGbkCharacter(wide, &code);
    ShowMessage("文本的第" + Number(at) + "个字符（" + HexCode(code) +
                "）不能用GBK表示，这一页按GBK转换，请删去该字符后再试。");
    return std::nullopt;
  }
  return text;
}

std::optional<WideText> Workspace::WideTextToConvert() const {
  WideText wide = mainBox().Wide();
  if (wide.empty()) {
    ShowMessage(kEmptyConversion);
    return std::nullopt;
  }
  return wide;
}

Workspace::Apply Workspace::ShowDecodedGbk(ByteSeq bytes) {
  std::size_t zero = bytes.find('\0');
  if (zero != ByteSeq::npos) bytes.resize(zero);
  if (auto bad = FindMalformedGbk(bytes))
    return Refuse("解码结果的第" + Number(*bad + 1) + "个字节起不是有效的GBK文本，文本框未改动。");
  WideText text = AnsiToWide(bytes);
  return [text = std::move(text), zero](Workspace& ws) {
    ws.mainBox().SetWide(text);
    if (zero != ByteSeq::npos)
      ShowMessage("解码结果的第" + Number(zero + 1) + "个字节是零字节，文本到此为止。");
  };
}

Workspace::Apply Workspace::ShowDecodedWide(WideText text) {
  std::size_t zero = text.find(u'\0');
  if (zero != WideText::npos) text.resize(zero);
  return [text = std::move(text), zero](Workspace& ws) {
    ws.mainBox().SetWide(text);
    if (zero != WideText::npos)
      ShowMessage("解码结果的第" + Number(zero + 1) + "个字符是零字符，文本到此为止。");
  };
}

Workspace::Apply Workspace::Refuse(AnsiText message) {
  return [message = std::move(message)](Workspace&) { ShowMessage(message); };
}

Workspace::Apply Workspace::Fill(std::string_view box, WideText text) {
  return [box, text = std::move(text)](Workspace& ws) { ws.Get<EditBox>(box).SetWide(text); };
}

void Workspace::CopyBox(std::string_view box) const {
  if (!SetClipboardText(Get<EditBox>(box).Text())) ShowMessage(kCopyFailed);
}

void Workspace::ClearBox(std::string_view box) const { Get<EditBox>(box).SetWide({}); }

WorkspaceControls WorkspaceDefinition() {
  WorkspaceControls w;
  w.pageControl = PageControlAndPages();
  w.mainTextBox = ControlDef{
      .name = "编辑框_文本框",
      .rect = {28, 36, 384, 76},
      .settings = EditBoxSettings{.border = 3, .textColor = 0x0060C0, .hideSelection = false, .multiLine = true,
                                  .scrollBars = 2},
      .events = {EventKind::KeyDown, EventKind::GotFocus},
      .tabStop = true,
  };
  w.convertButton = ControlDef{
      .name = "按钮_转换",
      .rect = {424, 74, 80, 32},
      .settings = PushButtonSettings{.font = FontDef{.face = "新宋体", .height = -14, .weight = 400},
                                     .caption = kConvertCaption},
      .events = {EventKind::Clicked},
      .tabStop = true,
  };
  return w;
}

void RegisterWorkspaceHandlers(HandlerRegistry& handlers) {
  handlers.Add(kMainWindow, "按钮_转换", EventKind::Clicked, OnConvertClicked);
  handlers.Add(kMainWindow, "编辑框_文本框", EventKind::KeyDown, OnMainBoxKeyDown);
  handlers.Add(kMainWindow, "选择框_置顶窗口", EventKind::Clicked, OnKeepOnTopClicked);
  for (const PageUnit& unit : PageUnits())
    if (unit.registerHandlers) unit.registerHandlers(handlers);
}

}  // namespace yz
