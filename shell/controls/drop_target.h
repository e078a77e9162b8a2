// Drop target: a non-visual control that lets a window take dropped data
// through OLE drag and drop.
//
// Its settings switch four kinds on or off; a drop of an accepted kind raises
// one event with the dropped text (GBK):
//   TextDropped  plain text, only when the data offers no HTML form
//   HtmlDropped  "HTML Format": the HTML from StartHTML to EndHTML
//   UrlDropped   "UniformResourceLocator(W)": the address
//   FilesDropped CF_HDROP: the path of one file, or every path followed by
//                CR LF when several were dropped
// When the data offers several kinds, files come first, then an address,
// then HTML, then text. Until Register succeeds the window takes no drops for
// it; it is registered at most once and revoked when its window is destroyed.
// A path or text with characters that GBK cannot hold reaches the handler
// with "?" in their place; DroppedWide() keeps the exact UTF-16 form of the
// latest drop for such a handler.
#pragma once

#include <ole2.h>

#include "shell/control.h"

namespace yz {

class DropTarget : public Control {
 public:
  DropTarget(Window& window, const ControlDef& def);
  ~DropTarget() override;
  bool Create(HWND) override { return true; }
  void OnWindowDestroying() override;

  const DropTargetSettings& settings() const { return settings_; }

  // Makes `target` accept drops for this control (OLE must be initialised on
  // this thread). False when it was registered once before, or when OLE
  // refuses.
  bool Register(HWND target);
  bool registered() const { return registeredOnce_; }

  // The OLE drop target object given to RegisterDragDrop.
  IDropTarget* oleTarget() const { return sink_.get(); }

  // The event a drop of `data` raises, or nothing when its kinds are all off.
  std::optional<EventKind> AcceptedKind(IDataObject* data) const;
  // Raises the event for a drop of `data`; false when it is refused or holds nothing.
  bool Deliver(IDataObject* data);

  const WideText& DroppedWide() const { return droppedWide_; }

 private:
  class Sink;
  void Revoke();

  const DropTargetSettings& settings_;
  win::ComPtr<IDropTarget> sink_;
  HWND target_ = nullptr;
  bool registeredOnce_ = false;
  WideText droppedWide_;
};

}  // namespace yz
