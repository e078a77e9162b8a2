// Message boxes and the clipboard, as the handlers use them.
//
// ShowMessage goes through a replaceable display so that tests never block on
// a modal box: a test installs its own display, which records the message and
// answers with the button it chooses.
#pragma once

#include <functional>

#include "services/text_types.h"

namespace yz {

// Operating-system message box flags the handlers pass (MB_*).
namespace message_flags {
constexpr int kOk = 0x0;
constexpr int kOkCancel = 0x1;
constexpr int kYesNo = 0x4;
constexpr int kIconError = 0x10;
constexpr int kIconQuestion = 0x20;
constexpr int kIconWarning = 0x30;
constexpr int kIconInformation = 0x40;
constexpr int kSystemModal = 0x1000;
constexpr int kTaskModal = 0x2000;
}  // namespace message_flags

// Results of ShowMessage.
enum MessageResult { kResultOk = 0, kResultCancel, kResultAbort, kResultRetry, kResultIgnore, kResultYes, kResultNo };

inline constexpr char kDefaultMessageCaption[] = "信息：";

// Shows `content` in a message box without owner window. The task-modal flag
// is added unless the system-modal flag is given. Returns a MessageResult.
int ShowMessage(const AnsiText& content, int flags = message_flags::kOk,
                const AnsiText& caption = kDefaultMessageCaption);

// What displays a message: content, flags as passed to the box (task-modal
// already added), caption; returns a MessageResult.
using MessageDisplay = std::function<int(const AnsiText& content, int flags, const AnsiText& caption)>;

// Replaces the display (an empty function restores the message box) and
// returns the previous one.
MessageDisplay SetMessageDisplay(MessageDisplay display);

// Puts `text` on the clipboard as CF_TEXT and, converted from GBK, as
// CF_UNICODETEXT. False when the clipboard cannot be opened or the memory
// cannot be had; the clipboard is then left empty.
bool SetClipboardText(const AnsiText& text);

}  // namespace yz
