// The drop target through OLE: registration, the four kinds and their
// settings, the dropped text, revoking.
#include "shell/controls/drop_target.h"

#include <shlobj.h>

#include <cstring>
#include <map>

#include "app/testing/drop_data.h"
#include "app/testing/kind_test.h"
#include "shell/operations.h"

namespace yz {
namespace {

using yz::testing::FileList;
using yz::testing::KindTest;
using yz::testing::TestData;
using yz::testing::WideBytes;

CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

std::string Html(const std::string& html) {
  // Offsets of a header written with fixed-width numbers.
  std::string head = "Version:0.9\r\nStartHTML:0000000000\r\nEndHTML:0000000000\r\n";
  char number[16];
  std::snprintf(number, sizeof number, "%010zu", head.size());
  head.replace(head.find("StartHTML:") + 10, 10, number);
  std::snprintf(number, sizeof number, "%010zu", head.size() + html.size());
  head.replace(head.find("EndHTML:") + 8, 10, number);
  return head + html + std::string(1, '\0');
}

DropTargetSettings FilesOnly() {
  return DropTargetSettings{.acceptText = false, .acceptHtml = false, .acceptUrls = false, .acceptFiles = true};
}
DropTargetSettings Everything() {
  return DropTargetSettings{.acceptText = true, .acceptHtml = true, .acceptUrls = true, .acceptFiles = true};
}

ControlDef Target(const char* name, DropTargetSettings s) {
  return ControlDef{.name = name,
                    .rect = {458, 137, 24, 24},
                    .settings = s,
                    .events = {EventKind::TextDropped, EventKind::HtmlDropped, EventKind::UrlDropped,
                               EventKind::FilesDropped},
                    .visible = false};
}

class DropTargetTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    ASSERT_TRUE(ole_.ok());
  }
  Window& LoadWith(DropTargetSettings s) {
    Record("拖放对象1", {EventKind::TextDropped, EventKind::HtmlDropped, EventKind::UrlDropped,
                         EventKind::FilesDropped});
    WindowDef away;
    away.rect = {1040, 820, 220, 160};  // clear of the windows other tests centre on the screen
    away.borderStyle = 0;
    away.alwaysOnTop = true;
    return LoadTestWindow({Target("拖放对象1", s)}, away);
  }
  DropTarget& target(Window& w) { return w.Get<DropTarget>("拖放对象1"); }

  // A drag over the target's OLE object and a drop, as OLE's drag loop makes
  // them; the effect the target answered on entering and on dropping.
  std::pair<DWORD, DWORD> DragAndDrop(IDropTarget* t, IDataObject* data) {
    DWORD entered = DROPEFFECT_COPY | DROPEFFECT_LINK, dropped = entered;
    POINTL at{1100, 900};
    EXPECT_EQ(t->DragEnter(data, MK_LBUTTON, at, &entered), S_OK);
    DWORD over = DROPEFFECT_COPY | DROPEFFECT_LINK;
    EXPECT_EQ(t->DragOver(MK_LBUTTON, at, &over), S_OK);
    EXPECT_EQ(over, entered);
    EXPECT_EQ(t->Drop(data, 0, at, &dropped), S_OK);
    return {entered, dropped};
  }

  win::OleSession ole_;
};

TEST_F(DropTargetTest, RegisteringTwiceGivesFalseAndChangesNothing) {
  Window& w = LoadWith(FilesOnly());
  EXPECT_FALSE(target(w).registered());
  EXPECT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  EXPECT_TRUE(target(w).registered());
  EXPECT_FALSE(RegisterDropTarget(target(w), WindowHandle(w)));
  // Still the one registration: OLE holds a target for the window.
  EXPECT_EQ(RegisterDragDrop(w.hwnd(), target(w).oleTarget()), DRAGDROP_E_ALREADYREGISTERED);
}

TEST_F(DropTargetTest, OnlyADropTargetCanBeRegistered) {
  Window& w = LoadTestWindow({ControlDef{.name = "按钮", .rect = {0, 0, 40, 20}, .settings = PushButtonSettings{}}});
  EXPECT_FALSE(RegisterDropTarget(*w.FindControl("按钮"), WindowHandle(w)));
  EXPECT_EQ(RevokeDragDrop(w.hwnd()), DRAGDROP_E_NOTREGISTERED);
}

TEST_F(DropTargetTest, NoDropIsTakenBeforeRegistration) {
  Window& w = LoadWith(FilesOnly());
  // OLE knows no target for the window.
  EXPECT_EQ(RevokeDragDrop(w.hwnd()), DRAGDROP_E_NOTREGISTERED);
  EXPECT_TRUE(log.empty());
}

TEST_F(DropTargetTest, TwoDroppedFilesArriveAsOneTextWithEachPathEndingInCrLf) {
  Window& w = LoadWith(FilesOnly());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  win::ComPtr<IDataObject> data = TestData::Make({{CF_HDROP, FileList({u"C:\\a\\一.exe", u"D:\\b.txt"})}});
  auto [entered, dropped] = DragAndDrop(target(w).oleTarget(), data.get());
  EXPECT_EQ(entered, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_EQ(log, std::vector<std::string>{"拖放对象1.FilesDropped"});
  EXPECT_EQ(texts[0], "C:\\a\\一.exe\r\nD:\\b.txt\r\n");
}

TEST_F(DropTargetTest, OneDroppedFileArrivesAsItsPathAlone) {
  Window& w = LoadWith(FilesOnly());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  win::ComPtr<IDataObject> data = TestData::Make({{CF_HDROP, FileList({u"C:\\程序.exe"})}});
  DragAndDrop(target(w).oleTarget(), data.get());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "C:\\程序.exe");
}

TEST_F(DropTargetTest, PathsGbkCannotHoldKeepTheirWideForm) {
  Window& w = LoadWith(FilesOnly());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  const std::u16string path = u"C:\\\u00E9\u0E01.exe";  // é is in GBK, Thai ก is not
  win::ComPtr<IDataObject> data = TestData::Make({{CF_HDROP, FileList({path})}});
  DragAndDrop(target(w).oleTarget(), data.get());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].back(), 'e');
  EXPECT_NE(texts[0].find('?'), std::string::npos);
  EXPECT_EQ(target(w).DroppedWide(), path);
}

TEST_F(DropTargetTest, TextDropIsRefusedByAFilesOnlyTarget) {
  Window& w = LoadWith(FilesOnly());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  win::ComPtr<IDataObject> text = TestData::Make({{CF_UNICODETEXT, WideBytes(u"拖动的文字")}, {CF_TEXT, "x"}});
  auto [entered, dropped] = DragAndDrop(target(w).oleTarget(), text.get());
  EXPECT_EQ(entered, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_NONE));
  win::ComPtr<IDataObject> page = TestData::Make({{Format(L"HTML Format"), Html("<b>x</b>")},
                                                  {Format(L"UniformResourceLocatorW"), WideBytes(u"http://a.example/")}});
  auto [enteredPage, droppedPage] = DragAndDrop(target(w).oleTarget(), page.get());
  EXPECT_EQ(enteredPage, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(droppedPage, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(log.empty());
}

struct KindCase {
  const char* what;
  bool text, html, url, files;
  const char* event;  // nullptr: refused
  const char* delivered;
};

// The offers of one drag: text (wide and ANSI), HTML, a web address.
constexpr KindCase kKinds[] = {
    {"text alone", true, false, false, false, "TextDropped", "文字"},
    {"text beside HTML: HTML wins", true, true, false, false, "HtmlDropped", "<p>页</p>"},
    {"text and an address: the address wins", true, false, true, false, "UrlDropped", "http://a.example/路"},
    {"an address and HTML: the address wins", false, true, true, false, "UrlDropped", "http://a.example/路"},
    {"files and everything: files win", true, true, true, true, "FilesDropped", "C:\\x.exe"},
};

TEST_F(DropTargetTest, EveryKindArrivesWithItsTextWhenSwitchedOn) {
  Window& w = LoadWith(Everything());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  for (const KindCase& c : kKinds) {
    SCOPED_TRACE(c.what);
    std::map<CLIPFORMAT, std::string> blocks;
    if (c.text) blocks[CF_UNICODETEXT] = WideBytes(u"文字");
    if (c.html) blocks[Format(L"HTML Format")] = Html("<p>\xE9\xA1\xB5</p>");  // 页 in UTF-8
    if (c.url) blocks[Format(L"UniformResourceLocatorW")] = WideBytes(u"http://a.example/路");
    if (c.files) blocks[CF_HDROP] = FileList({u"C:\\x.exe"});
    win::ComPtr<IDataObject> data = TestData::Make(std::move(blocks));
    log.clear();
    texts.clear();
    DragAndDrop(target(w).oleTarget(), data.get());
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], std::string("拖放对象1.") + c.event);
    EXPECT_EQ(texts[0], c.delivered);
  }
}

struct SwitchCase {
  DropTargetSettings settings;
  bool text, html;  // offered
  bool accepted;
};

constexpr SwitchCase kSwitches[] = {
    {{.acceptText = true}, true, false, true},
    {{.acceptText = true}, true, true, false},  // plain text only when no HTML form is offered
    {{.acceptHtml = true}, true, true, true},
    {{.acceptHtml = true}, true, false, false},
    {{.acceptUrls = true, .acceptFiles = true}, true, true, false},
};

TEST_F(DropTargetTest, KindsSwitchedOffAreRefused) {
  for (const SwitchCase& c : kSwitches) {
    SCOPED_TRACE(std::to_string(&c - kSwitches));
    Window& w = LoadWith(c.settings);
    ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
    std::map<CLIPFORMAT, std::string> blocks;
    if (c.text) blocks[CF_TEXT] = "ansi";
    if (c.html) blocks[Format(L"HTML Format")] = Html("<i>i</i>");
    win::ComPtr<IDataObject> data = TestData::Make(std::move(blocks));
    log.clear();
    auto [entered, dropped] = DragAndDrop(target(w).oleTarget(), data.get());
    EXPECT_EQ(entered != DROPEFFECT_NONE, c.accepted);
    EXPECT_EQ(log.size(), c.accepted ? 1u : 0u);
    layer.reset();
  }
}

TEST_F(DropTargetTest, DestroyingTheWindowRevokesAndTheObjectOutlivesItsControl) {
  Window& w = LoadWith(FilesOnly());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  win::ComPtr<IDropTarget> kept(target(w).oleTarget());
  kept->AddRef();  // a reference of our own, as a drag in progress would hold
  HWND hwnd = w.hwnd();
  // Destroying the control alone revokes: the window takes another target.
  DestroyUnit(target(w));
  EXPECT_EQ(w.FindControl("拖放对象1"), nullptr);
  EXPECT_EQ(RevokeDragDrop(hwnd), DRAGDROP_E_NOTREGISTERED);
  // The object stays usable and refuses everything.
  win::ComPtr<IDataObject> data = TestData::Make({{CF_HDROP, FileList({u"C:\\x.exe"})}});
  auto [entered, dropped] = DragAndDrop(kept.get(), data.get());
  EXPECT_EQ(entered, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(log.empty());
}

TEST_F(DropTargetTest, WindowDestructionRevokesTheRegistration) {
  Window& w = LoadWith(FilesOnly());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  win::ComPtr<IDropTarget> kept(target(w).oleTarget());
  kept->AddRef();
  DestroyUnit(w);
  Pump();
  EXPECT_EQ(layer->Find(testing::kTestWindow), nullptr);
  // OLE let go of its reference: ours is the last one.
  kept->AddRef();
  EXPECT_EQ(kept->Release(), 1u);
}

// A drag source that drops at once, wherever the cursor is.
class DropAtOnce : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
      *out = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

TEST_F(DropTargetTest, OleDragLoopDeliversFilesOnlyOnceRegistered) {
  Window& w = LoadWith(FilesOnly());
  RECT r;
  GetWindowRect(w.hwnd(), &r);
  ASSERT_TRUE(SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  Pump();
  DropAtOnce source;
  win::ComPtr<IDataObject> data = TestData::Make({{CF_HDROP, FileList({u"C:\\a.exe", u"C:\\b.exe"})}});
  DWORD effect = DROPEFFECT_NONE;
  ASSERT_EQ(DoDragDrop(data.get(), &source, DROPEFFECT_COPY, &effect), DRAGDROP_S_DROP);
  Pump();
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(log.empty());
  ASSERT_TRUE(RegisterDropTarget(target(w), WindowHandle(w)));
  ASSERT_EQ(DoDragDrop(data.get(), &source, DROPEFFECT_COPY, &effect), DRAGDROP_S_DROP);
  Pump();
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_EQ(log, std::vector<std::string>{"拖放对象1.FilesDropped"});
  EXPECT_EQ(texts[0], "C:\\a.exe\r\nC:\\b.exe\r\n");
}

TEST_F(DropTargetTest, Md5PageTargetIsFilesOnlyAndStartsUnregistered) {
  // The program's own 拖放对象1 on the main window.
  Window& main = LoadMain();
  auto& md5 = main.Get<DropTarget>("拖放对象1");
  EXPECT_FALSE(md5.registered());
  EXPECT_EQ(md5.hwnd(), nullptr);
  EXPECT_EQ(WindowHandle(md5), 0);
  const DropTargetSettings& s = md5.settings();
  EXPECT_FALSE(s.acceptText);
  EXPECT_FALSE(s.acceptHtml);
  EXPECT_FALSE(s.acceptUrls);
  EXPECT_TRUE(s.acceptFiles);
  win::ComPtr<IDataObject> text = TestData::Make({{CF_UNICODETEXT, WideBytes(u"文字")}});
  EXPECT_FALSE(md5.AcceptedKind(text.get()).has_value());
}

}  // namespace
}  // namespace yz
