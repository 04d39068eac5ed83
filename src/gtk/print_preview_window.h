#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/buttonbox.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

namespace tavern::gtk {

// The print preview: a window "打印预览" that shows a PDF of the page as it
// will print, with buttons to print it and to close the preview.
class PrintPreviewWindow : public Gtk::Window {
 public:
  // Runs the page's print dialog over the given window; false when the page
  // is gone and cannot be printed any more.
  using PrintPage = std::function<bool(GtkWindow* parent)>;

  // Shows the PDF at `pdf_path` over `parent` (may be null). The window owns
  // itself and the file: it removes the file when it closes.
  static void Open(GtkWindow* parent, const std::string& pdf_path, PrintPage print_page);

  ~PrintPreviewWindow() override;

 protected:
  void on_hide() override;

 private:
  PrintPreviewWindow(GtkWindow* parent, const std::string& pdf_path, PrintPage print_page);

  void on_print_button_clicked();
  void on_close_button_clicked();

  std::string pdf_path_;
  PrintPage print_page_;
  WebKitWebView* view_;
  bool closing_ = false;
  Gtk::Box layout_{Gtk::ORIENTATION_VERTICAL};
  Gtk::ButtonBox buttons_{Gtk::ORIENTATION_HORIZONTAL};
  Gtk::Button print_button_{"打印(_P)…", true};
  Gtk::Button close_button_{"关闭(_C)", true};
};

}  // namespace tavern::gtk
