#pragma once

#include <gtkmm/label.h>

#include "components/component.h"
#include "components/window_definition.h"
#include "gtk/placed.h"

namespace tavern::gtk {

// A label with a transparent background: its text over whatever lies behind.
class LabelComponent : public Placed<Component> {
 public:
  LabelComponent(ClientArea& area, const ComponentDefinition& definition);
  ~LabelComponent() override;

  Gtk::Label& label() { return label_; }

 private:
  Gtk::Label label_;
};

}  // namespace tavern::gtk
