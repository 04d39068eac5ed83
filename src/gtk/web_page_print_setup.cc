#include "gtk/web_page_print_setup.h"

namespace tavern::gtk {

PrintSetup::~PrintSetup() {
  g_clear_object(&page_setup_);
  g_clear_object(&print_settings_);
}

void PrintSetup::set_page_setup(GtkPageSetup* page_setup) {
  if (page_setup == nullptr) return;
  g_object_ref(page_setup);
  g_clear_object(&page_setup_);
  page_setup_ = page_setup;
}

GtkPrintSettings* PrintSetup::print_settings() {
  if (print_settings_ == nullptr) print_settings_ = gtk_print_settings_new();
  return print_settings_;
}

void PrintSetup::set_print_settings(GtkPrintSettings* settings) {
  if (settings == nullptr) return;
  g_object_ref(settings);
  g_clear_object(&print_settings_);
  print_settings_ = settings;
}

}  // namespace tavern::gtk
