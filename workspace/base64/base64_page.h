// Page 4, "BASE64编码": text to Base64 and back.
#pragma once

#include "workspace/pages.h"

namespace yz {

std::vector<ControlDef> Base64PageControls();
void ConvertToBase64(Workspace& ws);
void RegisterBase64Handlers(HandlerRegistry& handlers);

}  // namespace yz
