#pragma once

#include <gtk/gtk.h>

namespace tavern::gtk {

// One page's printing choices: its page setup (from the page setup dialog)
// and the settings of its last print dialog. Holds a reference to each.
class PrintSetup {
 public:
  PrintSetup() = default;
  ~PrintSetup();
  PrintSetup(const PrintSetup&) = delete;
  PrintSetup& operator=(const PrintSetup&) = delete;

  // The page setup chosen last; null until one was chosen.
  GtkPageSetup* page_setup() const { return page_setup_; }
  // Keeps `page_setup` (null keeps the one there is).
  void set_page_setup(GtkPageSetup* page_setup);

  // The print settings chosen last; made empty on first use.
  GtkPrintSettings* print_settings();
  // Keeps `settings` (null keeps the ones there are).
  void set_print_settings(GtkPrintSettings* settings);

 private:
  GtkPageSetup* page_setup_ = nullptr;
  GtkPrintSettings* print_settings_ = nullptr;
};

}  // namespace tavern::gtk
