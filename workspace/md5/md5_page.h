// Page 6, "MD5加密": the MD5 of the main box's GBK bytes, and of a dropped file.
#pragma once

#include "services/text_types.h"
#include "workspace/pages.h"

namespace yz {

std::vector<ControlDef> Md5PageControls();
void ConvertToMd5(Workspace& ws);
void RegisterMd5Handlers(HandlerRegistry& handlers);

// What a FilesDropped on 拖放对象1 does with its text (each path followed by
// CR LF when several were dropped): the first file is digested on a worker
// thread in pieces, its progress shown in 标签7, and the three rows filled
// when it is done. A new drop stops a digest that is still running.
void DigestDroppedFiles(Workspace& ws, const WideText& paths);
// Whether a file digest is running.
bool FileDigestRunning(Workspace& ws);

inline constexpr char kMd5RegisteredMessage[] = "组件注册成功";
inline constexpr char kMd5DropPrompt[] = "请拖放文件到窗口！";

}  // namespace yz
