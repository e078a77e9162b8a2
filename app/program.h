// The program: its four window definitions, its handlers and its start.
#pragma once

#include <vector>

#include "shell/definition.h"
#include "shell/handler_registry.h"

namespace yz {

// The four windows, built once; the startup window first.
const std::vector<const WindowDef*>& ProgramWindows();
// Every handler routine of the program.
const HandlerRegistry& ProgramHandlers();
// Starts the program and runs it to its end; the exit code.
int RunProgram();

}  // namespace yz
