#include "gtk/label_component.h"

#include "gtk/accessible.h"

namespace tavern::gtk {

LabelComponent::LabelComponent(ClientArea& area, const ComponentDefinition& definition)
    : Placed(area, definition.place, definition.dock, definition.visible), label_(definition.text) {
  // A label draws no background of its own; it is vertically centred in its
  // box like a caption beside the control it names.
  label_.set_xalign(0.0f);
  label_.set_yalign(0.5f);
  label_.get_style_context()->add_class("tavern-label");
  SetAccessibleName(GTK_WIDGET(label_.gobj()), definition.accessible_name);
  placement_.Attach(GTK_WIDGET(label_.gobj()));
}

LabelComponent::~LabelComponent() { placement_.Detach(); }

}  // namespace tavern::gtk
