#include "shell/event.h"

namespace yz {

const char* EventName(EventKind kind) {
  static constexpr const char* kNames[] = {
      "Created", "QueryClose", "Destroying", "Moved", "Resized", "Activated", "Deactivated",
      "FirstActivated", "Idle", "TrayEvent", "Shown", "Hidden",
      "LeftButtonDown", "LeftButtonUp", "DoubleClicked", "RightButtonDown", "RightButtonUp", "MouseMoved",
      "GotFocus", "LostFocus", "KeyDown", "KeyUp", "CharInput", "WheelScrolled",
      "Clicked", "Tick", "Selected", "TextChanged",
      "TextDropped", "HtmlDropped", "UrlDropped", "FilesDropped",
  };
  static_assert(std::size(kNames) == static_cast<size_t>(EventKind::Count));
  return kNames[static_cast<size_t>(kind)];
}

}  // namespace yz
