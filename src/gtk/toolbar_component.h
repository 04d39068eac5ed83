#pragma once

#include <gtkmm/toolbar.h>
#include <gtkmm/toolitem.h>

#include <memory>
#include <vector>

#include "components/toolbar.h"
#include "components/window_definition.h"
#include "gtk/component_context.h"
#include "gtk/placed.h"

namespace tavern::gtk {

// A toolbar of flat buttons without captions, each with its drawn image and
// a tooltip. A click raises OnToolbarButtonClicked with the button's index
// (separators counted); the arrow part of a drop-down button raises
// OnToolbarDropDown with the point under the button.
class ToolbarComponent : public Placed<Toolbar> {
 public:
  ToolbarComponent(ClientArea& area, const ComponentDefinition& definition,
                   ComponentContext context);
  ~ToolbarComponent() override;

  void AddButtonState(int index, unsigned flags) override;
  void RemoveButtonState(int index, unsigned flags) override;
  unsigned ButtonState(int index) const override;

  Gtk::Toolbar& toolbar() { return toolbar_; }
  // The tool item of button `index`; nullptr out of range.
  Gtk::ToolItem* item(int index);
  // Where a click on button `index` lands: the button (for a drop-down, its
  // main part); nullptr for a separator or out of range.
  GtkWidget* main_part(int index);
  // The arrow part of drop-down button `index`; nullptr for other buttons.
  GtkWidget* arrow_part(int index);

 private:
  struct Button {
    std::unique_ptr<Gtk::ToolItem> item;
    GtkWidget* main_part = nullptr;
    GtkWidget* arrow_part = nullptr;
    unsigned state = 0;
  };

  void ApplyState(int index);
  void RaiseClicked(int index);
  void RaiseDropDown(int index);

  ComponentContext context_;
  Gtk::Toolbar toolbar_;
  std::vector<Button> buttons_;
};

}  // namespace tavern::gtk
