// Page 2, "进制转换": the hexadecimal text of a text's bytes, and whole numbers
// between bases 2 to 36.
#pragma once

#include "workspace/pages.h"

namespace yz {

std::vector<ControlDef> RadixPageControls();
void ConvertToHex(Workspace& ws);
void RegisterRadixHandlers(HandlerRegistry& handlers);

}  // namespace yz
