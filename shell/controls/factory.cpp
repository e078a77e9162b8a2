#include "shell/controls/factory.h"

#include "shell/controls/check_box.h"
#include "shell/controls/drawing_panel.h"
#include "shell/controls/drop_target.h"
#include "shell/controls/edit_box.h"
#include "shell/controls/group_box.h"
#include "shell/controls/label.h"
#include "shell/controls/page_control.h"
#include "shell/controls/push_button.h"

namespace yz {
namespace {

struct Maker {
    Window& w;
    const ControlDef& d;
    std::unique_ptr<Control> operator()(const EditBoxSettings&) { return std::make_unique<EditBox>(w, d); }
    std::unique_ptr<Control> operator()(const PushButtonSettings&) { return std::make_unique<PushButton>(w, d); }
    std::unique_ptr<Control> operator()(const CheckBoxSettings&) { return std::make_unique<CheckBox>(w, d); }
    std::unique_ptr<Control> operator()(const PageControlSettings&) { return std::make_unique<PageControl>(w, d); }
    std::unique_ptr<Control> operator()(const LabelSettings&) { return std::make_unique<Label>(w, d); }
    std::unique_ptr<Control> operator()(const GroupBoxSettings&) { return std::make_unique<GroupBox>(w, d); }
    std::unique_ptr<Control> operator()(const DrawingPanelSettings&) { return std::make_unique<DrawingPanel>(w, d); }
    std::unique_ptr<Control> operator()(const DropTargetSettings&) { return std::make_unique<DropTarget>(w, d); }
    std::unique_ptr<Control> operator()(const auto&) { return std::make_unique<DefinitionOnly>(w, d); }
};

}  // namespace

std::unique_ptr<Control> MakeControl(Window& window, const ControlDef& def) {
  return std::visit(Maker{window, def}, def.settings);
}

}  // namespace yz
