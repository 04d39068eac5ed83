#include "gtk/print_preview_window.h"

#include <glib/gstdio.h>
#include <glibmm/main.h>
#include <gtkmm/main.h>

#include <algorithm>
#include <utility>

#include "gtk/web_page_silence.h"

namespace tavern::gtk {
namespace {

constexpr int kDefaultWidth = 820;
constexpr int kDefaultHeight = 900;
constexpr int kBorder = 6;
// Room left on screen around the preview for panels and the window frame.
constexpr int kScreenMargin = 80;

// The preview's height: as tall as a page wants, short of the screen's.
int FittingHeight(GtkWindow* parent) {
  GdkDisplay* display = gdk_display_get_default();
  if (display == nullptr) return kDefaultHeight;
  GdkWindow* near = parent != nullptr ? gtk_widget_get_window(GTK_WIDGET(parent)) : nullptr;
  GdkMonitor* monitor = near != nullptr ? gdk_display_get_monitor_at_window(display, near)
                                        : gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) return kDefaultHeight;
  GdkRectangle area;
  gdk_monitor_get_workarea(monitor, &area);
  return std::clamp(area.height - kScreenMargin, kDefaultHeight / 2, kDefaultHeight);
}

}  // namespace

void PrintPreviewWindow::Open(GtkWindow* parent, const std::string& pdf_path,
                              PrintPage print_page) {
  Gtk::Main::init_gtkmm_internals();
  auto* window = new PrintPreviewWindow(parent, pdf_path, std::move(print_page));
  window->show_all();
}

PrintPreviewWindow::PrintPreviewWindow(GtkWindow* parent, const std::string& pdf_path,
                                       PrintPage print_page)
    : pdf_path_(pdf_path),
      print_page_(std::move(print_page)),
      view_(WEBKIT_WEB_VIEW(webkit_web_view_new())) {
  g_object_ref_sink(view_);
  set_title("打印预览");
  set_default_size(kDefaultWidth, FittingHeight(parent));
  if (parent != nullptr) gtk_window_set_transient_for(gobj(), parent);

  buttons_.set_layout(Gtk::BUTTONBOX_END);
  buttons_.set_spacing(kBorder);
  buttons_.set_border_width(kBorder);
  buttons_.pack_start(print_button_);
  buttons_.pack_start(close_button_);
  print_button_.signal_clicked().connect(
      sigc::mem_fun(*this, &PrintPreviewWindow::on_print_button_clicked));
  close_button_.signal_clicked().connect(
      sigc::mem_fun(*this, &PrintPreviewWindow::on_close_button_clicked));

  SilenceEngineQuestions(view_);
  gtk_widget_set_hexpand(GTK_WIDGET(view_), TRUE);
  gtk_widget_set_vexpand(GTK_WIDGET(view_), TRUE);
  layout_.pack_start(buttons_, Gtk::PACK_SHRINK);
  gtk_box_pack_start(layout_.gobj(), GTK_WIDGET(view_), TRUE, TRUE, 0);
  add(layout_);

  gchar* uri = g_filename_to_uri(pdf_path_.c_str(), nullptr, nullptr);
  if (uri != nullptr) webkit_web_view_load_uri(view_, uri);
  g_free(uri);
}

PrintPreviewWindow::~PrintPreviewWindow() {
  g_object_unref(view_);
  ::g_remove(pdf_path_.c_str());
}

void PrintPreviewWindow::on_hide() {
  Gtk::Window::on_hide();
  if (closing_) return;
  closing_ = true;
  // Not inside the window's own signal: the window goes once it is idle.
  Glib::signal_idle().connect_once([this] { delete this; });
}

void PrintPreviewWindow::on_print_button_clicked() {
  if (!print_page_ || !print_page_(gobj())) {
    print_button_.set_sensitive(false);
    print_button_.set_tooltip_text("网页已关闭，无法打印");
  }
}

void PrintPreviewWindow::on_close_button_clicked() { hide(); }

}  // namespace tavern::gtk
