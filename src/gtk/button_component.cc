#include "gtk/button_component.h"

#include "gtk/accessible.h"

namespace tavern::gtk {

ButtonComponent::ButtonComponent(ClientArea& area, const ComponentDefinition& definition,
                                 ComponentContext context)
    : Placed(area, definition.place, definition.dock, definition.visible),
      context_(std::move(context)),
      button_(definition.text) {
  button_.set_can_default(false);
  button_.get_style_context()->add_class("tavern-button");
  SetAccessibleName(GTK_WIDGET(button_.gobj()), definition.accessible_name);
  button_.signal_clicked().connect(sigc::mem_fun(*this, &ButtonComponent::on_button_clicked));
  placement_.Attach(GTK_WIDGET(button_.gobj()));
}

ButtonComponent::~ButtonComponent() { placement_.Detach(); }

void ButtonComponent::on_button_clicked() {
  context_.Raise([&](WindowEvents& events) { events.OnButtonClicked(context_.name); });
}

}  // namespace tavern::gtk
