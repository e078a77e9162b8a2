#include "shell/controls/factory.h"

#include "shell/controls/check_box.h"
#include "shell/controls/edit_box.h"
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
    std::unique_ptr<Control> operator()(const auto&) { return std::make_unique<DefinitionOnly>(w, d); }
};

}  // namespace

std::unique_ptr<Control> MakeControl(Window& window, const ControlDef& def) {
  return std::visit(Maker{window, def}, def.settings);
}

}  // namespace yz
