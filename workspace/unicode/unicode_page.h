// Page 5, "UNICODE编码": the UTF-16 code units of a text as hexadecimal and back.
#pragma once

#include "workspace/pages.h"

namespace yz {

std::vector<ControlDef> UnicodePageControls();
void ConvertToUnicode(Workspace& ws);
void RegisterUnicodeHandlers(HandlerRegistry& handlers);

}  // namespace yz
