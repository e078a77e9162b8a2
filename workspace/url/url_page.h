// Page 3, "URL网页编码": percent-encoding over GBK bytes, or over UTF-8 while
// 选择框1 is ticked.
#pragma once

#include "workspace/pages.h"

namespace yz {

std::vector<ControlDef> UrlPageControls();
void ConvertToUrl(Workspace& ws);
void RegisterUrlHandlers(HandlerRegistry& handlers);

}  // namespace yz
