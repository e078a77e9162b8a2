#include "shell/controls/drop_target.h"

#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include "services/encoding.h"
#include "shell/window.h"

namespace yz {
namespace {

FORMATETC Format(CLIPFORMAT cf) { return FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

CLIPFORMAT Registered(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

bool Offers(IDataObject* data, CLIPFORMAT cf) {
  if (!data || cf == 0) return false;
  FORMATETC f = Format(cf);
  return data->QueryGetData(&f) == S_OK;
}

// The bytes of a format held in global memory; empty when it is not there.
std::string GlobalBytes(IDataObject* data, CLIPFORMAT cf) {
  FORMATETC f = Format(cf);
  win::StorageMedium medium;
  if (FAILED(data->GetData(&f, medium.put())) || medium.get().tymed != TYMED_HGLOBAL) return {};
  win::GlobalLockScope lock(medium.get().hGlobal);
  if (!lock.get()) return {};
  return std::string(static_cast<const char*>(lock.get()), lock.size());
}

// Text of a zero-terminated UTF-16 block.
WideText WideBlock(const std::string& bytes) {
  WideText w(bytes.size() / 2, u'\0');
  std::memcpy(w.data(), bytes.data(), w.size() * 2);
  size_t end = w.find(u'\0');
  if (end != WideText::npos) w.resize(end);
  return w;
}

// Text of a zero-terminated block in the system's ANSI code page.
WideText AcpBlock(const std::string& bytes) {
  std::string s(bytes.c_str());
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return {};
  WideText w(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), reinterpret_cast<wchar_t*>(w.data()), n);
  return w;
}

// A text given in both forms, the wide one preferred.
WideText TextOf(IDataObject* data, CLIPFORMAT wide, CLIPFORMAT ansi) {
  if (Offers(data, wide)) return WideBlock(GlobalBytes(data, wide));
  if (Offers(data, ansi)) return AcpBlock(GlobalBytes(data, ansi));
  return {};
}

// The value of "Name:digits" in the header of an HTML Format block; −1 if absent.
long HeaderNumber(const std::string& block, const char* name) {
  size_t at = block.find(name);
  if (at == std::string::npos) return -1;
  const char* p = block.c_str() + at + std::strlen(name);
  char* end = nullptr;
  long v = std::strtol(p, &end, 10);
  return end == p ? -1 : v;
}

// "HTML Format" is UTF-8 with a header of offsets; the HTML is the part from
// StartHTML to EndHTML (all of it when the offsets are missing or wrong).
WideText HtmlOf(IDataObject* data) {
  std::string block = GlobalBytes(data, Registered(L"HTML Format"));
  block.resize(std::strlen(block.c_str()));
  long start = HeaderNumber(block, "StartHTML:"), end = HeaderNumber(block, "EndHTML:");
  if (start >= 0 && end >= start && static_cast<size_t>(end) <= block.size())
    block = block.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  return Utf8ToWide(block);
}

WideText FilesOf(IDataObject* data) {
  FORMATETC f = Format(CF_HDROP);
  win::StorageMedium medium;
  if (FAILED(data->GetData(&f, medium.put())) || medium.get().tymed != TYMED_HGLOBAL) return {};
  win::GlobalLockScope lock(medium.get().hGlobal);
  auto drop = static_cast<HDROP>(lock.get());
  if (!drop) return {};
  UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  WideText out;
  for (UINT i = 0; i < count; ++i) {
    UINT n = DragQueryFileW(drop, i, nullptr, 0);
    WideText path(n + 1, u'\0');
    n = DragQueryFileW(drop, i, reinterpret_cast<wchar_t*>(path.data()), n + 1);
    path.resize(n);
    out += path;
    if (count > 1) out += u"\r\n";
  }
  return out;
}

DWORD ChooseEffect(DWORD allowed) {
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
  if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
  return DROPEFFECT_NONE;
}

}  // namespace

// The COM object OLE calls during a drag. It holds its own references; the
// control detaches from it when it goes, after which it refuses every drop.
class DropTarget::Sink : public win::ComObject<IDropTarget> {
 public:
  explicit Sink(DropTarget* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    if (!effect) return E_INVALIDARG;
    accepted_ = owner_ && owner_->AcceptedKind(data).has_value();
    *effect = accepted_ ? ChooseEffect(*effect) : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    if (!effect) return E_INVALIDARG;
    *effect = accepted_ && owner_ ? ChooseEffect(*effect) : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accepted_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    if (!effect) return E_INVALIDARG;
    accepted_ = false;
    DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    if (owner_ && owner_->AcceptedKind(data) && owner_->Deliver(data)) *effect = ChooseEffect(allowed);
    return S_OK;
  }

 private:
  ~Sink() override = default;

  DropTarget* owner_;
  bool accepted_ = false;
};

DropTarget::DropTarget(Window& window, const ControlDef& def)
    : Control(window, def), settings_(std::get<DropTargetSettings>(def.settings)), sink_(new Sink(this)) {}

DropTarget::~DropTarget() {
  Revoke();
  static_cast<Sink*>(sink_.get())->Detach();
}

void DropTarget::OnWindowDestroying() {
  // Gone with its window (or destroyed on its own): no drop reaches it again,
  // even through a reference a drag in progress still holds.
  Revoke();
  static_cast<Sink*>(sink_.get())->Detach();
}

void DropTarget::Revoke() {
  HWND target = std::exchange(target_, nullptr);
  if (target && IsWindow(target)) RevokeDragDrop(target);
}

bool DropTarget::Register(HWND target) {
  if (registeredOnce_ || !target) return false;
  if (FAILED(RegisterDragDrop(target, sink_.get()))) return false;
  registeredOnce_ = true;
  target_ = target;
  return true;
}

std::optional<EventKind> DropTarget::AcceptedKind(IDataObject* data) const {
  if (!data) return std::nullopt;
  const DropTargetSettings& s = settings_;
  if (s.acceptFiles && Offers(data, CF_HDROP)) return EventKind::FilesDropped;
  if (s.acceptUrls && (Offers(data, Registered(L"UniformResourceLocatorW")) ||
                       Offers(data, Registered(L"UniformResourceLocator"))))
    return EventKind::UrlDropped;
  bool html = Offers(data, Registered(L"HTML Format"));
  if (s.acceptHtml && html) return EventKind::HtmlDropped;
  if (s.acceptText && !html && (Offers(data, CF_UNICODETEXT) || Offers(data, CF_TEXT)))
    return EventKind::TextDropped;
  return std::nullopt;
}

bool DropTarget::Deliver(IDataObject* data) {
  std::optional<EventKind> kind = AcceptedKind(data);
  if (!kind) return false;
  WideText text;
  switch (*kind) {
    case EventKind::FilesDropped: text = FilesOf(data); break;
    case EventKind::UrlDropped:
      text = TextOf(data, Registered(L"UniformResourceLocatorW"), Registered(L"UniformResourceLocator"));
      break;
    case EventKind::HtmlDropped: text = HtmlOf(data); break;
    default: text = TextOf(data, CF_UNICODETEXT, CF_TEXT); break;
  }
  if (text.empty()) return false;
  droppedWide_ = text;
  window().Raise(this, *kind, {}, WideToAnsi(text));
  return true;
}

}  // namespace yz
