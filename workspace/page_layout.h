// The layout that pages 1 to 5 share: a page box across the upper part, a
// "复制" button at its right, "清空" on the right of the bottom row and the
// page's back-conversion button on its left.
#pragma once

#include <vector>

#include "shell/definition.h"

namespace yz {

struct SharedPageNames {
  const char* box;
  const char* copy;
  const char* clear;
  const char* back;
  const char* backCaption;
};

inline ControlDef PageBox(int page, const char* name) {
  return ControlDef{
      .name = name,
      .rect = {12, 38, 392, 85},
      .settings = EditBoxSettings{.border = 3, .multiLine = true, .scrollBars = 2},
      .parent = "高级选择夹1",
      .page = page,
      .tabStop = true,
  };
}

inline ControlDef PageButton(int page, const char* name, Rect rect, const char* caption) {
  return ControlDef{
      .name = name,
      .rect = rect,
      .settings = PushButtonSettings{.caption = caption},
      .events = {EventKind::Clicked},
      .parent = "高级选择夹1",
      .page = page,
      .tabStop = true,
  };
}

inline constexpr Rect kCopyButtonRect{420, 83, 65, 35};
inline constexpr Rect kClearButtonRect{308, 132, 80, 30};
inline constexpr Rect kBackButtonRect{20, 132, 80, 30};

}  // namespace yz
