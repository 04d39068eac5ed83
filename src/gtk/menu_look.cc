#include "gtk/menu_look.h"

#include <gtkmm/cssprovider.h>
#include <gtkmm/stylecontext.h>

#include <functional>

namespace tavern::gtk {
namespace {

// Colours: slate ink on pale blue-grey; the hovered item in slate blue.
std::string LookRules(const std::string& look_class, const std::string& font_family) {
  const std::string menu_bar = "menubar." + look_class;
  const std::string menu = "menu." + look_class;
  std::string font;
  if (!font_family.empty()) font = "font-family: \"" + font_family + "\"; ";
  return menu_bar + " { background-color: #e8edf1; background-image: none; color: #22303c; " +
         font +
         "font-size: 9pt; border-bottom: 1px solid #c2ccd5; box-shadow: none; padding: 0; }\n" +
         menu_bar +
         " > menuitem { padding: 3px 9px; color: #22303c; border: 1px solid transparent; " +
         "box-shadow: none; }\n" + menu_bar + " > menuitem:hover { background-color: #cfdce7; " +
         "border: 1px solid #9db3c6; color: #12202c; box-shadow: none; }\n" + menu_bar +
         " > menuitem:disabled { color: #98a4ae; }\n" + menu + " { background-color: #f5f7f9; " +
         "background-image: none; color: #22303c; " + font + "font-size: 9pt; " +
         "border: 1px solid #8fa5b8; padding: 2px 0; }\n" + menu +
         " menuitem { padding: 4px 22px 4px 18px; " + "color: #22303c; }\n" + menu +
         " menuitem:hover { background-color: #3e6b8c; color: #ffffff; }\n" + menu +
         " menuitem:disabled { color: #a2adb6; }\n" + menu +
         " menuitem:disabled label { color: #a2adb6; }\n" + menu +
         " separator { background-color: #c9d2da; min-height: 1px; margin: 3px 6px; }\n" + menu +
         " arrow { color: #3e5566; }\n" + menu + " menuitem:hover arrow { color: #ffffff; }\n";
}

}  // namespace

std::string MenuLookClass(const std::string& font_family) {
  char hash[17];
  g_snprintf(hash, sizeof hash, "%016zx", std::hash<std::string>{}(font_family));
  const std::string look_class = std::string("tavern-menu-look-") + hash;
  // The screen remembers which looks it has, so each is installed once.
  GdkScreen* screen = gdk_screen_get_default();
  if (g_object_get_data(G_OBJECT(screen), look_class.c_str()) != nullptr) return look_class;
  auto provider = Gtk::CssProvider::create();
  provider->load_from_data(LookRules(look_class, font_family));
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider->gobj()),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_set_data(G_OBJECT(screen), look_class.c_str(), GINT_TO_POINTER(1));
  return look_class;
}

void ApplyMenuLook(Gtk::MenuShell& shell, const std::string& look_class) {
  if (!look_class.empty()) shell.get_style_context()->add_class(look_class);
}

}  // namespace tavern::gtk
