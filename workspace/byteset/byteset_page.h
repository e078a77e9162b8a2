// Page 1, "字节集": the bytes of a text in byte-set notation and back.
#pragma once

#include "workspace/pages.h"

namespace yz {

std::vector<ControlDef> ByteSetPageControls();
void ConvertToByteSet(Workspace& ws);
void RegisterByteSetHandlers(HandlerRegistry& handlers);

}  // namespace yz
