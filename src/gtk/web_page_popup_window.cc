#include "gtk/web_page_popup_window.h"

#include <glibmm/main.h>
#include <gtkmm/main.h>

#include "gtk/web_page_silence.h"

namespace tavern::gtk {
namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

}  // namespace

WebKitWebView* PopupWindow::Open(WebKitWebView* opener) {
  Gtk::Main::init_gtkmm_internals();
  auto* window = new PopupWindow(opener);
  return window->view_;
}

PopupWindow::PopupWindow(WebKitWebView* opener)
    : view_(WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(opener))) {
  g_object_ref_sink(view_);
  set_default_size(kDefaultWidth, kDefaultHeight);
  gtk_container_add(GTK_CONTAINER(gobj()), GTK_WIDGET(view_));
  SilenceEngineQuestions(view_);
  g_signal_connect(view_, "ready-to-show", G_CALLBACK(OnReadyToShow), this);
  g_signal_connect(view_, "close", G_CALLBACK(OnClose), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitleChanged), this);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
}

PopupWindow::~PopupWindow() {
  g_signal_handlers_disconnect_by_data(view_, this);
  g_object_unref(view_);
}

void PopupWindow::on_hide() {
  Gtk::Window::on_hide();
  if (closing_) return;
  closing_ = true;
  // Not inside the window's own signal: the window goes once it is idle.
  Glib::signal_idle().connect_once([this] { delete this; });
}

void PopupWindow::OnReadyToShow(WebKitWebView* view, gpointer data) {
  auto* window = static_cast<PopupWindow*>(data);
  GdkRectangle geometry{};
  webkit_window_properties_get_geometry(webkit_web_view_get_window_properties(view), &geometry);
  if (geometry.width > 0 && geometry.height > 0) {
    window->set_default_size(geometry.width, geometry.height);
  }
  window->show_all();
}

void PopupWindow::OnClose(WebKitWebView* /*view*/, gpointer data) {
  static_cast<PopupWindow*>(data)->hide();
}

void PopupWindow::OnTitleChanged(GObject* view, GParamSpec* /*property*/, gpointer data) {
  const char* title = webkit_web_view_get_title(WEBKIT_WEB_VIEW(view));
  static_cast<PopupWindow*>(data)->set_title(title != nullptr ? title : "");
}

GtkWidget* PopupWindow::OnCreate(WebKitWebView* view, WebKitNavigationAction* /*action*/,
                                 gpointer /*data*/) {
  return GTK_WIDGET(Open(view));
}

}  // namespace tavern::gtk
