#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

namespace tavern::gtk {

// Prints the page shown in `view` into a PDF file at `path` as it would come
// out of a printer with `page_setup` (null: the default paper), without a
// dialog. Returns at once; `done` is called later on the GUI thread with
// whether the file was written.
void PrintPageToPdf(WebKitWebView* view, GtkPageSetup* page_setup, const std::string& path,
                    std::function<void(bool printed)> done);

}  // namespace tavern::gtk
