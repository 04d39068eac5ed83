#pragma once

#include <gtk/gtk.h>

#include <string>

namespace tavern::gtk {

// Gives `widget` the name (and, when not empty, the description) that a
// screen reader announces; an empty name leaves the widget's own.
void SetAccessibleName(GtkWidget* widget, const std::string& name,
                       const std::string& description = "");
// Gives `widget` the role a screen reader announces.
void SetAccessibleRole(GtkWidget* widget, AtkRole role);

}  // namespace tavern::gtk
