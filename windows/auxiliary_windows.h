// The link bar window and the about window.
#pragma once

#include "shell/definition.h"

namespace yz {

WindowDef LinkBarWindowDefinition();
WindowDef AboutWindowDefinition();

}  // namespace yz
