#pragma once

#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

namespace tavern::gtk {

// A plain window of its own for a page that a page opened (a new window the
// program let through). It holds one web view related to the opener's, shows
// itself when the engine says the page is ready, and goes away when closed,
// by the user or by the page's script.
class PopupWindow : public Gtk::Window {
 public:
  // Makes the window for a new page opened by `opener`; gives the new page's
  // web view, which the engine then loads. The window owns itself.
  static WebKitWebView* Open(WebKitWebView* opener);

  ~PopupWindow() override;

 protected:
  void on_hide() override;

 private:
  explicit PopupWindow(WebKitWebView* opener);

  static void OnReadyToShow(WebKitWebView* view, gpointer data);
  static void OnClose(WebKitWebView* view, gpointer data);
  static void OnTitleChanged(GObject* view, GParamSpec* property, gpointer data);
  static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data);

  WebKitWebView* view_;
  bool closing_ = false;
};

}  // namespace tavern::gtk
