#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "components/window_events.h"

namespace tavern::gtk {

// The engine side of one page: a WebKitWebView with the behaviour the
// program's web views promise. It knows nothing of places, sizes or the
// window it is in; the window platform owns the widget's place, and maps it
// only while the page is the front page.
class WebPage {
 public:
  // The page's events, numbered as the program's handlers know them. Each
  // may be empty. None is called after the page's destructor has started.
  struct Events {
    std::function<HandlerResult()> before_navigate;                       // 0
    std::function<void(int percent)> progress_change;                     // 3
    std::function<void()> document_complete;                              // 5
    std::function<void()> status_text_change;                             // 6
    std::function<void()> title_change;                                   // 7
    std::function<void(int command, bool enabled)> command_state_change;  // 8
    std::function<HandlerResult()> new_window;                            // 9
  };

  // A page with text size `font_size` (0 to 4). nullptr when the engine
  // cannot make one.
  static std::unique_ptr<WebPage> Create(int font_size, Events events);

  virtual ~WebPage() = default;

  // The WebKitWebView; the page owns it (the platform only parents it).
  virtual GtkWidget* widget() = 0;

  // See tavern::WebView for the contracts of the members below.
  virtual std::string url() const = 0;
  virtual void set_url(std::string_view address) = 0;
  virtual std::string StatusText() const = 0;
  virtual std::string Caption() const = 0;
  virtual int FontSize() const = 0;
  virtual void SetFontSize(int size) = 0;
  virtual void RunCommand(int code) = 0;
  virtual bool CanGoBack() const = 0;
  virtual bool CanGoForward() const = 0;
};

}  // namespace tavern::gtk
