#include "gtk/edit_box_component.h"

#include "gtk/accessible.h"

namespace tavern::gtk {

int TypedCharacter(const GdkEventKey& event) {
  if (event.keyval == GDK_KEY_Return || event.keyval == GDK_KEY_KP_Enter) return 13;
  // Shortcuts (Ctrl+C, Alt+letter) type nothing.
  if ((event.state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0) return 0;
  return static_cast<int>(gdk_keyval_to_unicode(event.keyval));
}

EditBoxComponent::EditBoxComponent(ClientArea& area, const ComponentDefinition& definition,
                                   ComponentContext context)
    : Placed(area, definition.place, definition.dock, definition.visible),
      context_(std::move(context)) {
  entry_.set_text(definition.text);
  entry_.set_width_chars(1);
  entry_.set_can_focus(true);
  entry_.set_activates_default(false);
  entry_.get_style_context()->add_class("tavern-edit-box");
  SetAccessibleName(GTK_WIDGET(entry_.gobj()), definition.accessible_name);
  entry_.signal_key_press_event().connect(
      sigc::mem_fun(*this, &EditBoxComponent::on_entry_key_press_event), /*after=*/false);
  placement_.Attach(GTK_WIDGET(entry_.gobj()));
}

EditBoxComponent::~EditBoxComponent() { placement_.Detach(); }

std::string EditBoxComponent::text() const { return entry_.get_text(); }

void EditBoxComponent::set_text(std::string_view text) { entry_.set_text(std::string(text)); }

bool EditBoxComponent::on_entry_key_press_event(GdkEventKey* event) {
  const int character = TypedCharacter(*event);
  if (character != 0) {
    context_.Raise([&](WindowEvents& events) { events.OnCharInput(context_.name, character); });
  }
  return false;
}

}  // namespace tavern::gtk
