#include "app/program.h"

#include <windows.h>
#include <ole2.h>

#include "shell/main_window.h"
#include "shell/window_layer.h"
#include "windows/auxiliary_windows.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

// OleInitialize / OleUninitialize for the program's lifetime.
class OleSession {
 public:
  OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() { if (ok_) OleUninitialize(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool ok_;
};

void UseProgramFolderAsCurrentDirectory() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n == MAX_PATH) return;
  for (DWORD i = n; i > 0; --i) {
    if (path[i - 1] == L'\\' || path[i - 1] == L'/') {
      path[i - 1] = 0;
      SetCurrentDirectoryW(path);
      return;
    }
  }
}

}  // namespace

const std::vector<const WindowDef*>& ProgramWindows() {
  static const WindowDef main = MainWindowDefinition(WorkspaceDefinition());
  static const WindowDef linkBar = LinkBarWindowDefinition();
  static const WindowDef about = AboutWindowDefinition();
  static const WindowDef timer = TimerWindowDefinition();
  static const std::vector<const WindowDef*> all{&main, &linkBar, &about, &timer};
  return all;
}

const HandlerRegistry& ProgramHandlers() {
  static const HandlerRegistry handlers = [] {
    HandlerRegistry h;
    RegisterWorkspaceHandlers(h);
    return h;
  }();
  return handlers;
}

int RunProgram() {
  OleSession ole;
  UseProgramFolderAsCurrentDirectory();
  WindowLayer layer(ProgramHandlers(), ProgramWindows());
  if (!layer.LoadWindow(kMainWindow)) return 1;
  return layer.Run();
}

}  // namespace yz
