#include "gtk/web_page_fixture.h"

#include <algorithm>
#include <utility>

namespace tavern::testing {
namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

gboolean KeepTicking(gpointer /*data*/) { return G_SOURCE_CONTINUE; }

struct ScriptRun {
  bool finished = false;
  std::string value;
};

void OnScriptFinished(GObject* source, GAsyncResult* result, gpointer data) {
  std::unique_ptr<std::shared_ptr<ScriptRun>> run(static_cast<std::shared_ptr<ScriptRun>*>(data));
  GError* error = nullptr;
  JSCValue* value =
      webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
  if (value == nullptr) {
    (*run)->value = std::string("<failed: ") + (error != nullptr ? error->message : "") + ">";
    g_clear_error(&error);
  } else {
    gchar* text = jsc_value_to_string(value);
    (*run)->value = text != nullptr ? text : "";
    g_free(text);
    g_object_unref(value);
  }
  (*run)->finished = true;
}

}  // namespace

RecordedPage::RecordedPage(int font_size) {
  // What the page says is read back inside the event, as the handlers do.
  auto event = [](int number) {
    PageEvent made;
    made.number = number;
    return made;
  };
  gtk::WebPage::Events events;
  events.before_navigate = [this, event] {
    PageEvent e = event(0);
    if (page_) e.url = page_->url();
    return Record(std::move(e));
  };
  events.progress_change = [this, event](int percent) {
    PageEvent e = event(3);
    e.value = percent;
    Record(std::move(e));
  };
  events.document_complete = [this, event] {
    PageEvent e = event(5);
    if (page_) e.url = page_->url();
    Record(std::move(e));
  };
  events.status_text_change = [this, event] {
    PageEvent e = event(6);
    if (page_) e.status_text = page_->StatusText();
    Record(std::move(e));
  };
  events.title_change = [this, event] {
    PageEvent e = event(7);
    if (page_) e.caption = page_->Caption();
    Record(std::move(e));
  };
  events.command_state_change = [this, event](int command, bool enabled) {
    PageEvent e = event(8);
    e.value = command;
    e.enabled = enabled;
    Record(std::move(e));
  };
  events.new_window = [this, event] {
    PageEvent e = event(9);
    if (page_) e.status_text = page_->StatusText();
    return Record(std::move(e));
  };
  page_ = gtk::WebPage::Create(font_size, std::move(events));
  view_ = WEBKIT_WEB_VIEW(page_->widget());
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window_), kWindowWidth, kWindowHeight);
  gtk_window_move(GTK_WINDOW(window_), 0, 0);
  gtk_container_add(GTK_CONTAINER(window_), page_->widget());
  gtk_widget_show_all(window_);
}

RecordedPage::~RecordedPage() {
  page_.reset();
  gtk_widget_destroy(window_);
}

void RecordedPage::DestroyPage() { page_.reset(); }

HandlerResult RecordedPage::Record(PageEvent event) {
  event.after_destroy = page_ == nullptr;
  events_->push_back(event);
  if (during_event) during_event(event);
  const auto& answer = event.number == 0 ? answer_before_navigate : answer_new_window;
  if ((event.number == 0 || event.number == 9) && answer) {
    return answer(event.number == 0 ? event.url : event.status_text);
  }
  return std::nullopt;
}

int RecordedPage::Count(int number) const {
  return static_cast<int>(std::count_if(events_->begin(), events_->end(),
                                        [&](const PageEvent& e) { return e.number == number; }));
}

const PageEvent* RecordedPage::Last(int number) const {
  for (auto it = events_->rbegin(); it != events_->rend(); ++it) {
    if (it->number == number) return &*it;
  }
  return nullptr;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  // A ticking source, so that an iteration returns even when nothing else
  // happens and the deadline is seen.
  const guint tick = g_timeout_add(20, KeepTicking, nullptr);
  bool reached = done();
  while (!reached && std::chrono::steady_clock::now() < deadline) {
    g_main_context_iteration(nullptr, TRUE);
    reached = done();
  }
  g_source_remove(tick);
  return reached;
}

bool LoadAndWait(RecordedPage& page, const std::string& address, const std::string& expected_url) {
  const std::string expected = expected_url.empty() ? address : expected_url;
  const std::size_t start = page.events().size();
  page.page().set_url(address);
  return WaitUntil([&] {
    const auto& events = page.events();
    return std::any_of(events.begin() + static_cast<std::ptrdiff_t>(start), events.end(),
                       [&](const PageEvent& e) { return e.number == 5 && e.url == expected; });
  });
}

std::string RunScript(WebKitWebView* view, const std::string& script) {
  auto run = std::make_shared<ScriptRun>();
  webkit_web_view_evaluate_javascript(view, script.c_str(), -1, nullptr, nullptr, nullptr,
                                      OnScriptFinished, new std::shared_ptr<ScriptRun>(run));
  if (!WaitUntil([&] { return run->finished; })) return "<failed: no answer>";
  return run->value;
}

std::vector<GtkWindow*> Toplevels() {
  std::vector<GtkWindow*> windows;
  GList* list = gtk_window_list_toplevels();
  for (GList* item = list; item != nullptr; item = item->next) {
    windows.push_back(GTK_WINDOW(item->data));
  }
  g_list_free(list);
  return windows;
}

std::vector<GtkWindow*> OtherToplevels(const std::vector<GtkWindow*>& except) {
  std::vector<GtkWindow*> others;
  for (GtkWindow* window : Toplevels()) {
    const bool shown = gtk_widget_get_visible(GTK_WIDGET(window)) &&
                       gtk_window_get_window_type(window) == GTK_WINDOW_TOPLEVEL;
    if (shown && std::find(except.begin(), except.end(), window) == except.end()) {
      others.push_back(window);
    }
  }
  return others;
}

}  // namespace tavern::testing
