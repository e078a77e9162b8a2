// The pages of 高级选择夹1, each a unit of its own: its controls, what
// 按钮_转换 does while it is current, and its handlers.
#pragma once

#include <span>
#include <vector>

#include "shell/definition.h"
#include "shell/handler_registry.h"

namespace yz {

class Workspace;

struct PageUnit {
  int page;                                     // 1-based
  std::vector<ControlDef> (*controls)();        // in stored order, parent and page set
  void (*convert)(Workspace&);                  // nullptr: the page converts nothing
  void (*registerHandlers)(HandlerRegistry&);   // nullptr: no handlers yet
};

std::span<const PageUnit> PageUnits();

}  // namespace yz
