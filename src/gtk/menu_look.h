#pragma once

#include <gtkmm/menushell.h>

#include <string>

namespace tavern::gtk {

// The menu-look component's drawing: a calm colour scheme of slate blue and
// pale grey for menu bars and pop-up menus, in the component's font.
// Gives the style class that draws a menu shell so (installed on the
// screen once per font).
std::string MenuLookClass(const std::string& font_family);

// Draws `shell` (a menu bar or a menu) in the look of `look_class`.
void ApplyMenuLook(Gtk::MenuShell& shell, const std::string& look_class);

}  // namespace tavern::gtk
