#include "gtk/accessible.h"

namespace tavern::gtk {

void SetAccessibleName(GtkWidget* widget, const std::string& name, const std::string& description) {
  AtkObject* accessible = gtk_widget_get_accessible(widget);
  if (accessible == nullptr) return;
  if (!name.empty()) atk_object_set_name(accessible, name.c_str());
  if (!description.empty()) atk_object_set_description(accessible, description.c_str());
}

void SetAccessibleRole(GtkWidget* widget, AtkRole role) {
  AtkObject* accessible = gtk_widget_get_accessible(widget);
  if (accessible != nullptr) atk_object_set_role(accessible, role);
}

}  // namespace tavern::gtk
