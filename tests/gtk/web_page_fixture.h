#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/window_events.h"
#include "gtk/web_page.h"
#include "gtk/web_page_engine.h"

namespace tavern::testing {

// One event a page raised, with what the page said while it was handled.
struct PageEvent {
  int number = -1;
  std::string url;             // events 0 and 5: url()
  std::string status_text;     // events 6 and 9: StatusText()
  std::string caption;         // event 7: Caption()
  int value = 0;               // event 3: the percentage; event 8: the command
  bool enabled = false;        // event 8
  bool after_destroy = false;  // raised by a page that was destroyed before
};

// A WebPage in a shown window of its own, recording every event it raises.
class RecordedPage {
 public:
  explicit RecordedPage(int font_size = 2);
  ~RecordedPage();
  RecordedPage(const RecordedPage&) = delete;
  RecordedPage& operator=(const RecordedPage&) = delete;

  gtk::WebPage& page() { return *page_; }
  gtk::EnginePage& engine() { return static_cast<gtk::EnginePage&>(*page_); }
  WebKitWebView* view() { return view_; }
  GtkWindow* window() { return GTK_WINDOW(window_); }
  bool destroyed() const { return page_ == nullptr; }

  const std::vector<PageEvent>& events() const { return *events_; }
  int Count(int number) const;
  // The last event `number`; null when there was none.
  const PageEvent* Last(int number) const;
  void ClearEvents() { events_->clear(); }

  // Destroys the page; its window stays. Later events are still recorded,
  // marked after_destroy, so that a test can see there are none.
  void DestroyPage();

  // The answers to events 0 and 9, given the event's address; no value
  // when unset.
  std::function<HandlerResult(const std::string& address)> answer_before_navigate;
  std::function<HandlerResult(const std::string& address)> answer_new_window;
  // Runs inside every event, after it was recorded.
  std::function<void(const PageEvent& event)> during_event;

 private:
  HandlerResult Record(PageEvent event);

  std::shared_ptr<std::vector<PageEvent>> events_ = std::make_shared<std::vector<PageEvent>>();
  std::unique_ptr<gtk::WebPage> page_;
  GtkWidget* window_ = nullptr;
  WebKitWebView* view_ = nullptr;
};

// Iterates the main loop until `done` gives true or `timeout` passes;
// false on timeout.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Navigates `page` to `address` and waits until an event 5 reports
// `expected_url` (the address itself when empty); false on timeout.
bool LoadAndWait(RecordedPage& page, const std::string& address,
                 const std::string& expected_url = "");

// Runs `script` in `view` (the engine counts it as a user gesture) and gives
// its value as text; "<failed: ...>" when it threw or did not finish.
std::string RunScript(WebKitWebView* view, const std::string& script);

// The shown top-level windows that are not among `except`.
std::vector<GtkWindow*> OtherToplevels(const std::vector<GtkWindow*>& except);

// The windows listed by GTK now.
std::vector<GtkWindow*> Toplevels();

}  // namespace tavern::testing
