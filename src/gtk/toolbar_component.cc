#include "gtk/toolbar_component.h"

#include <gtkmm/image.h>
#include <gtkmm/separatortoolitem.h>
#include <gtkmm/toolbutton.h>

#include "gtk/accessible.h"
#include "gtk/drop_down_tool_item.h"
#include "gtk/toolbar_images.h"

namespace tavern::gtk {

ToolbarComponent::ToolbarComponent(ClientArea& area, const ComponentDefinition& definition,
                                   ComponentContext context)
    : Placed(area, definition.place, definition.dock, definition.visible),
      context_(std::move(context)) {
  toolbar_.set_toolbar_style(Gtk::TOOLBAR_ICONS);
  toolbar_.set_show_arrow(true);
  toolbar_.get_style_context()->add_class("tavern-toolbar");
  SetAccessibleName(GTK_WIDGET(toolbar_.gobj()), definition.accessible_name);
  const int image_width = definition.image_width > 0 ? definition.image_width : 22;
  const int image_height = definition.image_height > 0 ? definition.image_height : 20;

  for (std::size_t i = 0; i < definition.buttons.size(); ++i) {
    const ToolbarButtonDefinition& button_definition = definition.buttons[i];
    const int index = static_cast<int>(i);
    Button button;
    button.state = button_definition.disabled ? kButtonDisabled : 0u;
    switch (button_definition.style) {
      case ToolbarButtonStyle::kSeparator:
        button.item = std::make_unique<Gtk::SeparatorToolItem>();
        break;
      case ToolbarButtonStyle::kButton: {
        auto* image = Gtk::make_managed<Gtk::Image>(
            DrawToolbarImage(button_definition.image, image_width, image_height));
        auto tool_button = std::make_unique<Gtk::ToolButton>(*image);
        tool_button->set_tooltip_text(button_definition.tooltip);
        tool_button->signal_clicked().connect([this, index] { RaiseClicked(index); });
        button.main_part = gtk_bin_get_child(GTK_BIN(tool_button->gobj()));
        button.item = std::move(tool_button);
        break;
      }
      case ToolbarButtonStyle::kDropDown: {
        auto drop_down = std::make_unique<DropDownToolItem>(
            DrawToolbarImage(button_definition.image, image_width, image_height),
            button_definition.tooltip);
        drop_down->main_part().signal_clicked().connect([this, index] { RaiseClicked(index); });
        // The arrow acts on the press, as a menu button does; "clicked"
        // still comes from the keyboard and from assistive technologies.
        drop_down->arrow_part().signal_button_press_event().connect(
            [this, index](GdkEventButton* event) {
              if (event->type != GDK_BUTTON_PRESS || event->button != 1) return false;
              RaiseDropDown(index);
              return true;
            },
            /*after=*/false);
        drop_down->arrow_part().signal_clicked().connect([this, index] { RaiseDropDown(index); });
        button.main_part = GTK_WIDGET(drop_down->main_part().gobj());
        button.arrow_part = GTK_WIDGET(drop_down->arrow_part().gobj());
        button.item = std::move(drop_down);
        break;
      }
    }
    if (button.main_part != nullptr) {
      SetAccessibleName(button.main_part, button_definition.tooltip, button_definition.tooltip);
    }
    toolbar_.append(*button.item);
    buttons_.push_back(std::move(button));
    ApplyState(index);
  }
  toolbar_.show_all();
  placement_.Attach(GTK_WIDGET(toolbar_.gobj()));
}

ToolbarComponent::~ToolbarComponent() { placement_.Detach(); }

void ToolbarComponent::AddButtonState(int index, unsigned flags) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
  buttons_[static_cast<std::size_t>(index)].state |= flags;
  ApplyState(index);
}

void ToolbarComponent::RemoveButtonState(int index, unsigned flags) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
  buttons_[static_cast<std::size_t>(index)].state &= ~flags;
  ApplyState(index);
}

unsigned ToolbarComponent::ButtonState(int index) const {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return 0;
  return buttons_[static_cast<std::size_t>(index)].state;
}

Gtk::ToolItem* ToolbarComponent::item(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<std::size_t>(index)].item.get();
}

GtkWidget* ToolbarComponent::main_part(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<std::size_t>(index)].main_part;
}

GtkWidget* ToolbarComponent::arrow_part(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<std::size_t>(index)].arrow_part;
}

void ToolbarComponent::ApplyState(int index) {
  Button& button = buttons_[static_cast<std::size_t>(index)];
  button.item->set_sensitive((button.state & kButtonDisabled) == 0);
}

void ToolbarComponent::RaiseClicked(int index) {
  context_.Raise(
      [&](WindowEvents& events) { events.OnToolbarButtonClicked(context_.name, index); });
}

void ToolbarComponent::RaiseDropDown(int index) {
  // The point under the whole button, in screen coordinates.
  GtkWidget* item_widget = GTK_WIDGET(item(index)->gobj());
  Point below;
  if (GdkWindow* window = gtk_widget_get_window(item_widget)) {
    int origin_x = 0, origin_y = 0;
    gdk_window_get_origin(window, &origin_x, &origin_y);
    GtkAllocation allocation;
    gtk_widget_get_allocation(item_widget, &allocation);
    below = {origin_x + allocation.x, origin_y + allocation.y + allocation.height + 2};
  }
  context_.Raise(
      [&](WindowEvents& events) { events.OnToolbarDropDown(context_.name, index, below); });
}

}  // namespace tavern::gtk
