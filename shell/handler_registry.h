// Handler routines by name.
//
// A routine is registered under "<window>.<control>.<Event>" (for window
// events "<window>.<Event>"), e.g. "主窗口.按钮_转换.Clicked". The window
// layer resolves every binding of the definitions once, at start; a binding
// whose name has no routine stays empty.
#pragma once

#include <map>
#include <string>

#include "shell/event.h"

namespace yz {

class HandlerRegistry {
 public:
  void Add(std::string name, Handler handler) { handlers_[std::move(name)] = std::move(handler); }
  void Add(const char* window, const char* control, EventKind kind, Handler handler) {
    Add(NameFor(window, control, kind), std::move(handler));
  }
  const Handler* Find(const std::string& name) const {
    auto it = handlers_.find(name);
    return it == handlers_.end() ? nullptr : &it->second;
  }

  static std::string NameFor(const char* window, const char* control, EventKind kind) {
    std::string name = window;
    if (control) (name += '.') += control;
    return (name += '.') += EventName(kind);
  }

 private:
  std::map<std::string, Handler> handlers_;
};

}  // namespace yz
