// The conversion workspace of the main window: the main text box, the convert
// button and the page control, and what every page's handlers share.
//
// A page's conversion runs in two halves: the work, which may run on a worker
// thread and must not touch windows, and the apply step it returns, which runs
// on the UI thread and writes the boxes. Small inputs run at once; large ones
// go to a worker while 按钮_转换 reads "转换中", so the window keeps answering.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "services/text_types.h"
#include "shell/controls/edit_box.h"
#include "shell/controls/page_control.h"
#include "shell/controls/push_button.h"
#include "shell/handler_registry.h"
#include "shell/main_window.h"
#include "shell/controls/check_box.h"
#include "shell/window.h"

namespace yz {

class Workspace : public WindowState {
 public:
  using Apply = std::function<void(Workspace&)>;
  using Work = std::function<Apply()>;
  // Inputs from this size on are converted on a worker thread.
  static constexpr std::size_t kBackgroundBytes = 256 * 1024;

  explicit Workspace(Window& window);
  ~Workspace() override;

  Window& window() const { return window_; }
  EditBox& mainBox() const;
  PushButton& convertButton() const;
  PageControl& pages() const;
  template <class T>
  T& Get(std::string_view name) const { return window_.Get<T>(name); }

  // Runs a conversion of an input of `inputBytes`; ignored while one runs.
  // A conversion whose cost grows faster than its input names a smaller
  // size from which it goes to the worker.
  void Run(std::size_t inputBytes, Work work, std::size_t backgroundFrom = kBackgroundBytes);
  bool busy() const { return worker_.joinable(); }

  // The main box's text as GBK for a GBK-based conversion, or nothing after a
  // message: the box is empty, or it holds a character GBK cannot hold.
  std::optional<AnsiText> GbkTextToConvert() const;
  // The main box's UTF-16 text for a Unicode-based conversion, or nothing
  // after a message when it is empty.
  std::optional<WideText> WideTextToConvert() const;

  // Prepares decoded GBK bytes for the main box (on any thread): the text
  // ends at a zero byte, with a message saying so; bytes that are not GBK
  // text are refused with a message and change nothing.
  static Apply ShowDecodedGbk(ByteSeq bytes);
  // As ShowDecodedGbk, for decoded UTF-16 text.
  static Apply ShowDecodedWide(WideText text);
  // Refuses a conversion: shows the message and changes nothing.
  static Apply Refuse(AnsiText message);
  // Puts text into a box.
  static Apply Fill(std::string_view box, WideText text);

  // State a page keeps while its window lives (a file digest running, say),
  // made on first use and destroyed with the workspace, before the window's
  // controls.
  struct PageState {
    virtual ~PageState() = default;
  };
  template <class T>
  T& PageStateOf(int page) {
    std::unique_ptr<PageState>& slot = pageStates_[page];
    if (!slot) slot = std::make_unique<T>(*this);
    return static_cast<T&>(*slot);
  }

  // The copy and clear buttons of the pages.
  void CopyBox(std::string_view box) const;
  void ClearBox(std::string_view box) const;

 private:
  void Finish();

  Window& window_;
  std::thread worker_;
  Apply pending_;
  std::map<int, std::unique_ptr<PageState>> pageStates_;
};

// What 按钮_转换 does while a page is current.
using PageConversion = void (*)(Workspace&);

// The workspace's controls for the main window's definition.
WorkspaceControls WorkspaceDefinition();
void RegisterWorkspaceHandlers(HandlerRegistry& handlers);

inline constexpr char kMainWindow[] = "主窗口";
inline constexpr char kConvertCaption[] = "转换";
inline constexpr char kConvertingCaption[] = "转换中";
inline constexpr char kEmptyConversion[] = "当前转换为空，请输入文本！";
inline constexpr char kCopyFailed[] = "复制失败";
inline constexpr char kEnterText[] = "请输入文本！";

}  // namespace yz
