#include "workspace/md5/md5_page.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "services/encoding.h"
#include "services/system/message.h"
#include "shell/controls/drop_target.h"
#include "workspace/md5/md5.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

constexpr int kPage = 6;
constexpr char kDigestBox[] = "编辑框_MD5";
constexpr char kShortBox[] = "编辑框_MD5_16";
constexpr char kUpperBox[] = "编辑框_MD5_32";
constexpr char kStatusLabel[] = "标签7";
constexpr char kDropTarget[] = "拖放对象1";

constexpr UINT kMsgDigestProgress = kMsgFirstUser + 61;
constexpr UINT kMsgDigestDone = kMsgFirstUser + 62;

WideText Widen(std::string_view ascii) { return WideText(ascii.begin(), ascii.end()); }

void FillRows(Workspace& ws, const md5::Rows& rows) {
  ws.Get<EditBox>(kDigestBox).SetWide(Widen(rows.digest));
  ws.Get<EditBox>(kShortBox).SetWide(Widen(rows.short16));
  ws.Get<EditBox>(kUpperBox).SetWide(Widen(rows.upper32));
}

void SetStatus(Workspace& ws, const AnsiText& text) { ws.Get<Control>(kStatusLabel).SetText(text); }

// The file digest of the page: one worker at a time; a digest whose drop was
// followed by another is stopped and its outcome dropped.
class FileDigest : public Workspace::PageState {
 public:
  explicit FileDigest(Workspace& ws) : ws_(ws) {
    ws_.window().OnMessage(kMsgDigestProgress, [this](WPARAM gen, LPARAM percent) {
      if (gen == generation_) SetStatus(ws_, "正在计算文件MD5：" + std::to_string(percent) + "%");
    });
    ws_.window().OnMessage(kMsgDigestDone, [this](WPARAM gen, LPARAM) { Done(gen); });
  }
  ~FileDigest() override { Stop(); }

  bool running() const { return worker_.joinable(); }

  void Start(FileName file, AnsiText doneNote) {
    Stop();
    ++generation_;
    doneNote_ = std::move(doneNote);
    auto stop = std::make_shared<std::atomic<bool>>(false);
    stop_ = stop;
    SetStatus(ws_, "正在计算文件MD5：0%");
    HWND hwnd = ws_.window().hwnd();
    WPARAM gen = generation_;
    worker_ = std::thread([this, hwnd, gen, stop, file = std::move(file)] {
      LPARAM shown = 0;
      Conversion<AnsiText> digest = md5::DigestFile(file, [&](std::uint64_t done, std::uint64_t total) {
        if (stop->load()) return false;
        // A file that grows while it is read stays at 100%.
        LPARAM percent = total ? static_cast<LPARAM>(std::min(done, total) * 100 / total) : 100;
        if (percent != shown) {
          shown = percent;
          PostMessageW(hwnd, kMsgDigestProgress, gen, percent);
        }
        return true;
      });
      {
        std::lock_guard lock(mutex_);
        result_ = std::move(digest);
      }
      PostMessageW(hwnd, kMsgDigestDone, gen, 0);
    });
  }

 private:
  void Stop() {
    if (stop_) stop_->store(true);
    if (worker_.joinable()) worker_.join();
  }

  void Done(WPARAM gen) {
    if (gen != generation_ || !worker_.joinable()) return;  // a digest stopped by a later drop
    worker_.join();
    Conversion<AnsiText> result;
    {
      std::lock_guard lock(mutex_);
      result = std::move(result_);
    }
    if (!result.ok()) {
      SetStatus(ws_, kMd5DropPrompt);
      ShowMessage(result.error->message);
      return;
    }
    FillRows(ws_, md5::RowsOf(result.value));
    SetStatus(ws_, doneNote_);
  }

  Workspace& ws_;
  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> stop_;
  WPARAM generation_ = 0;
  AnsiText doneNote_;
  std::mutex mutex_;
  Conversion<AnsiText> result_;
};

// The drop target keeps the exact UTF-16 paths, which GBK may not hold.
void OnFilesDropped(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  const WideText& exact = ws.Get<DropTarget>(kDropTarget).DroppedWide();
  DigestDroppedFiles(ws, exact.empty() ? AnsiToWide(ev.text) : exact);
}

// "扩展": the window takes dropped files from now on.
void OnRegisterClicked(Event& ev) {
  Workspace& ws = ev.window.State<Workspace>();
  if (!ws.Get<DropTarget>(kDropTarget).Register(ev.window.hwnd())) {
    ShowMessage("组件注册失败，无法接收拖放的文件。");
    return;
  }
  ShowMessage("组件注册成功");
  SetStatus(ws, kMd5DropPrompt);
  ws.Get<PushButton>("按钮5").SetEnabled(false);
}


EditBoxSettings RowBox() { return EditBoxSettings{.border = 3, .hideSelection = true, .maxLength = 0}; }

ControlDef OnPage(ControlDef c) {
  c.parent = "高级选择夹1";
  c.page = kPage;
  return c;
}

ControlDef Button(const char* name, Rect rect, const char* caption) {
  return OnPage(ControlDef{.name = name, .rect = rect, .settings = PushButtonSettings{.caption = caption},
                           .events = {EventKind::Clicked}, .tabStop = true});
}

ControlDef Label(const char* name, Rect rect, LabelSettings settings) {
  return OnPage(ControlDef{.name = name, .rect = rect, .settings = settings});
}

ControlDef Box(const char* name, Rect rect, EditBoxSettings settings) {
  return OnPage(ControlDef{.name = name, .rect = rect, .settings = settings, .tabStop = true});
}

}  // namespace

std::vector<ControlDef> Md5PageControls() {
  EditBoxSettings upper = RowBox();
  upper.caseConversion = 2;
  ControlDef drop = OnPage(ControlDef{.name = kDropTarget,
                                      .rect = {458, 137, 24, 24},
                                      .settings = DropTargetSettings{.acceptFiles = true},
                                      .events = {EventKind::FilesDropped},
                                      .visible = false});
  return {
      Label("标签4", {18, 41, 40, 16}, LabelSettings{.text = "MD5："}),
      Box(kDigestBox, {66, 35, 360, 22}, RowBox()),
      Button("按钮1", {442, 33, 40, 24}, "复制"),
      Label("标签5", {18, 74, 48, 16}, LabelSettings{.text = "MD5_16："}),
      Box(kShortBox, {66, 68, 360, 22}, RowBox()),
      Button("按钮2", {442, 66, 40, 24}, "复制"),
      Button("按钮3", {442, 98, 40, 24}, "复制"),
      Box(kUpperBox, {66, 100, 360, 22}, upper),
      Label("标签6", {18, 106, 48, 16}, LabelSettings{.text = "MD5_32："}),
      Label("标签8", {8, 137, 60, 24}, LabelSettings{.textColor = 0xFF0000, .wordWrap = true, .text = "点击扩展，注册组件"}),
      Button("按钮5", {73, 134, 60, 30}, "扩展"),
      Label("标签7", {141, 133, 196, 27}, LabelSettings{.align = Align::Center, .text = "获取文件MD5，请先注册组件！"}),
      Button("按钮4", {346, 134, 80, 30}, "全部清空"),
      drop,
  };
}

void ConvertToMd5(Workspace& ws) {
  std::optional<AnsiText> text = ws.GbkTextToConvert();
  if (!text) return;
  std::size_t size = text->size();
  ws.Run(size, [text = std::move(*text)] {
    md5::Rows rows = md5::TextRows(text);
    return [rows = std::move(rows)](Workspace& ws) { FillRows(ws, rows); };
  });
}

void DigestDroppedFiles(Workspace& ws, const WideText& paths) {
  std::vector<WideText> files;
  std::size_t start = 0;
  while (start < paths.size()) {
    std::size_t end = paths.find(u"\r\n", start);
    if (end == WideText::npos) end = paths.size();
    if (end > start) files.push_back(paths.substr(start, end - start));
    start = end + 2;
  }
  if (files.empty()) {
    ShowMessage("拖放的内容中没有文件。");
    return;
  }
  FileName file(files[0].begin(), files[0].end());
  AnsiText name = FileNameText(LastNamePart(file));
  AnsiText note = files.size() == 1
                      ? "文件MD5计算完成：" + name
                      : "拖放了" + std::to_string(files.size()) + "个文件，已计算第一个：" + name;
  ws.PageStateOf<FileDigest>(kPage).Start(std::move(file), std::move(note));
}

bool FileDigestRunning(Workspace& ws) { return ws.PageStateOf<FileDigest>(kPage).running(); }

void RegisterMd5Handlers(HandlerRegistry& handlers) {
  handlers.Add(kMainWindow, "按钮1", EventKind::Clicked, [](Event& ev) { ev.window.State<Workspace>().CopyBox(kDigestBox); });
  handlers.Add(kMainWindow, "按钮2", EventKind::Clicked, [](Event& ev) { ev.window.State<Workspace>().CopyBox(kShortBox); });
  handlers.Add(kMainWindow, "按钮3", EventKind::Clicked, [](Event& ev) { ev.window.State<Workspace>().CopyBox(kUpperBox); });
  handlers.Add(kMainWindow, "按钮4", EventKind::Clicked, [](Event& ev) {
    Workspace& ws = ev.window.State<Workspace>();
    for (const char* box : {kDigestBox, kShortBox, kUpperBox}) ws.ClearBox(box);
  });
  handlers.Add(kMainWindow, "按钮5", EventKind::Clicked, OnRegisterClicked);
  handlers.Add(kMainWindow, kDropTarget, EventKind::FilesDropped, OnFilesDropped);
}

}  // namespace yz
