#pragma once

#include <gtkmm/button.h>

#include "components/component.h"
#include "components/window_definition.h"
#include "gtk/component_context.h"
#include "gtk/placed.h"

namespace tavern::gtk {

// A plain push button with a centred caption; never a default button. A
// click raises OnButtonClicked.
class ButtonComponent : public Placed<Component> {
 public:
  ButtonComponent(ClientArea& area, const ComponentDefinition& definition,
                  ComponentContext context);
  ~ButtonComponent() override;

  Gtk::Button& button() { return button_; }

 private:
  void on_button_clicked();

  ComponentContext context_;
  Gtk::Button button_;
};

}  // namespace tavern::gtk
