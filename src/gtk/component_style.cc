#include "gtk/component_style.h"

#include <gtk/gtk.h>

namespace tavern::gtk {
namespace {

constexpr const char kStyle[] = R"(
/* The forms are laid out for a 9-point (12-pixel) font. */
.tavern-label, .tavern-edit-box, .tavern-button, .tavern-status-bar label { font-size: 9pt; }
.tavern-edit-box { min-height: 0; padding: 0 4px; }
.tavern-button { min-height: 0; min-width: 0; padding: 0 4px; }
toolbar.tavern-toolbar { padding: 0 2px; border-top: 1px solid #b9c3cc;
  box-shadow: inset 0 1px #ffffff; }
toolbar.tavern-toolbar button { min-height: 0; min-width: 0; padding: 2px; }
toolbar.tavern-toolbar button.tavern-drop-down-main { padding: 2px 1px 2px 2px; }
toolbar.tavern-toolbar button.tavern-drop-down-arrow { padding: 2px 0; }
toolbar.tavern-toolbar separator { margin: 4px 3px; }
notebook.tavern-tab-strip > header { padding: 0; border-width: 0 0 1px 0; }
notebook.tavern-tab-strip > header > tabs { margin: 0; }
notebook.tavern-tab-strip > header > tabs > tab { min-height: 0; min-width: 0; padding: 0;
  margin: 0; }
notebook.tavern-tab-strip > header > tabs > tab label { padding: 5px 6px 5px 6px; }
notebook.tavern-tab-strip > header > tabs > tab:checked label { color: #1c2a36; }
notebook.tavern-tab-strip > header > tabs > arrow { min-height: 0; min-width: 0; padding: 0 2px;
  margin: 0; border: none; }
notebook.tavern-tab-strip > stack { min-height: 0; }
.tavern-status-bar frame > border { border-color: #aab4bd; }
.tavern-status-bar label { padding: 0 3px; }
)";

}  // namespace

void InstallComponentStyle() {
  GdkScreen* screen = gdk_screen_get_default();
  if (screen == nullptr || g_object_get_data(G_OBJECT(screen), "tavern-component-style")) return;
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, kStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_set_data_full(G_OBJECT(screen), "tavern-component-style", provider, g_object_unref);
}

}  // namespace tavern::gtk
