#include "gtk/print_preview_pdf.h"

#include <utility>

namespace tavern::gtk {
namespace {

// One print into a file, alive from the start until "finished".
struct PdfPrint {
  std::function<void(bool)> done;
  bool failed = false;
};

void OnPrintFailed(WebKitPrintOperation* /*operation*/, GError* /*error*/, gpointer data) {
  static_cast<PdfPrint*>(data)->failed = true;
}

void OnPrintFinished(WebKitPrintOperation* operation, gpointer data) {
  auto* print = static_cast<PdfPrint*>(data);
  g_signal_handlers_disconnect_by_data(operation, print);
  auto done = std::move(print->done);
  const bool printed = !print->failed;
  delete print;
  g_object_unref(operation);
  if (done) done(printed);
}

// The file printer is known by its name in the user's language.
const char* FilePrinterName() { return g_dgettext("gtk30", "Print to File"); }

}  // namespace

void PrintPageToPdf(WebKitWebView* view, GtkPageSetup* page_setup, const std::string& path,
                    std::function<void(bool printed)> done) {
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  if (uri == nullptr) {
    if (done) done(false);
    return;
  }
  GtkPrintSettings* settings = gtk_print_settings_new();
  gtk_print_settings_set_printer(settings, FilePrinterName());
  gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
  gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
  g_free(uri);

  WebKitPrintOperation* operation = webkit_print_operation_new(view);
  webkit_print_operation_set_print_settings(operation, settings);
  g_object_unref(settings);
  if (page_setup != nullptr) webkit_print_operation_set_page_setup(operation, page_setup);

  auto* print = new PdfPrint{std::move(done)};
  g_signal_connect(operation, "failed", G_CALLBACK(OnPrintFailed), print);
  g_signal_connect(operation, "finished", G_CALLBACK(OnPrintFinished), print);
  webkit_print_operation_print(operation);
}

}  // namespace tavern::gtk
