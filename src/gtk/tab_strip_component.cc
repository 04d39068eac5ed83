#include "gtk/tab_strip_component.h"

#include "gtk/accessible.h"

namespace tavern::gtk {

TabStripComponent::TabStripComponent(ClientArea& area, const ComponentDefinition& definition,
                                     ComponentContext context)
    : Placed(area, definition.place, definition.dock, definition.visible),
      context_(std::move(context)),
      model_(definition.tabs),
      view_(model_, definition.font_family, definition.font_pixels) {
  model_.set_changed_observer([this] { view_.Sync(); });
  model_.set_current_tab_changed_handler([this] {
    context_.Raise([&](WindowEvents& events) { events.OnCurrentTabChanged(context_.name); });
  });
  model_.set_tab_right_clicked_handler([this](int index) {
    context_.Raise([&](WindowEvents& events) { events.OnTabRightClicked(context_.name, index); });
  });
  GtkWidget* notebook = GTK_WIDGET(view_.widget().gobj());
  SetAccessibleName(notebook, definition.accessible_name);
  view_.widget().show();
  placement_.Attach(notebook);
}

TabStripComponent::~TabStripComponent() {
  model_.set_changed_observer(nullptr);
  model_.set_current_tab_changed_handler(nullptr);
  model_.set_tab_right_clicked_handler(nullptr);
  placement_.Detach();
}

}  // namespace tavern::gtk
