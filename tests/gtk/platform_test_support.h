#pragma once

// Shared pieces of the window platform's tests: waiting on the main loop,
// input through the X server, a WebPage stand-in and a recorder of events.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/component_ref.h"
#include "components/window_events.h"
#include "gtk/gtk_platform.h"
#include "gtk/web_page.h"

// After gtkmm, whose names the X headers' macros would clash with.
#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>

namespace tavern::gtk::platform_test {

// Iterates the main loop until `done` gives true; false after `timeout`.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(15)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    g_main_context_iteration(nullptr, FALSE);
    g_usleep(1000);
  }
  return true;
}

// Iterates the main loop until pending work is done and the window drawn.
inline void Settle() {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(150);
  WaitUntil([&] { return std::chrono::steady_clock::now() > until; });
}

inline Display* XDisplay() { return GDK_DISPLAY_XDISPLAY(gdk_display_get_default()); }

// The widget's top left corner and size in screen coordinates.
inline GdkRectangle ScreenBox(GtkWidget* widget) {
  GdkRectangle box{0, 0, 0, 0};
  GdkWindow* window = gtk_widget_get_window(widget);
  if (window == nullptr) return box;
  int origin_x = 0, origin_y = 0;
  gdk_window_get_origin(window, &origin_x, &origin_y);
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget, &allocation);
  return {origin_x + allocation.x, origin_y + allocation.y, allocation.width, allocation.height};
}

// The widget's allocation relative to `ancestor`'s.
inline GdkRectangle BoxIn(GtkWidget* widget, GtkWidget* ancestor) {
  GtkAllocation inner, outer;
  gtk_widget_get_allocation(widget, &inner);
  gtk_widget_get_allocation(ancestor, &outer);
  return {inner.x - outer.x, inner.y - outer.y, inner.width, inner.height};
}

inline void MovePointer(int x, int y) {
  XTestFakeMotionEvent(XDisplay(), -1, x, y, CurrentTime);
  XFlush(XDisplay());
  Settle();
}

// Presses and releases `button` at the screen point, as a mouse does.
inline void ClickAt(int x, int y, unsigned button = 1) {
  MovePointer(x, y);
  XTestFakeButtonEvent(XDisplay(), button, True, CurrentTime);
  XFlush(XDisplay());
  Settle();
  XTestFakeButtonEvent(XDisplay(), button, False, CurrentTime);
  XFlush(XDisplay());
  Settle();
}

inline void Click(GtkWidget* widget, unsigned button = 1) {
  ASSERT_TRUE(gtk_widget_get_mapped(widget));
  const GdkRectangle box = ScreenBox(widget);
  ClickAt(box.x + box.width / 2, box.y + box.height / 2, button);
}

// Types `keyval` into the window under the pointer (no window manager runs,
// so keys go where the pointer is), over `widget`.
inline void PressKey(GtkWidget* widget, guint keyval, bool shift = false) {
  const GdkRectangle box = ScreenBox(widget);
  MovePointer(box.x + box.width / 2, box.y + box.height / 2);
  Display* display = XDisplay();
  const KeyCode shift_code = XKeysymToKeycode(display, GDK_KEY_Shift_L);
  if (shift) XTestFakeKeyEvent(display, shift_code, True, CurrentTime);
  const KeyCode code = XKeysymToKeycode(display, keyval);
  ASSERT_NE(code, 0) << "no key for " << keyval;
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  if (shift) XTestFakeKeyEvent(display, shift_code, False, CurrentTime);
  XFlush(display);
  Settle();
}

// A page without an engine: a label as its widget, and its events raised
// by the test.
class StubPage : public WebPage {
 public:
  StubPage(int font_size, Events events)
      : events_(std::move(events)), font_size_(font_size), widget_(gtk_label_new("page")) {
    g_object_ref_sink(widget_);
  }
  ~StubPage() override {
    gtk_widget_destroy(widget_);
    g_object_unref(widget_);
  }

  GtkWidget* widget() override { return widget_; }
  std::string url() const override { return url_; }
  void set_url(std::string_view address) override { url_ = address; }
  std::string StatusText() const override { return {}; }
  std::string Caption() const override { return {}; }
  int FontSize() const override { return font_size_; }
  void SetFontSize(int size) override { font_size_ = size; }
  void RunCommand(int /*code*/) override {}
  bool CanGoBack() const override { return false; }
  bool CanGoForward() const override { return false; }

  Events& events() { return events_; }

 private:
  Events events_;
  int font_size_;
  std::string url_;
  GtkWidget* widget_;
};

// Makes StubPages and keeps track of the ones alive.
class StubPages {
 public:
  PageFactory Factory() {
    return [this](int font_size, WebPage::Events events) -> std::unique_ptr<WebPage> {
      if (refuse) return nullptr;
      auto page = std::make_unique<StubPage>(font_size, std::move(events));
      made.push_back(page.get());
      return page;
    };
  }
  bool refuse = false;
  std::vector<StubPage*> made;
};

// Records every event with the source the platform names for it.
class RecordingEvents : public WindowEvents {
 public:
  explicit RecordingEvents(WindowPlatform*& platform) : platform_(platform) {}

  struct Record {
    std::string what;
    EventSource source;
  };

  void OnCreated(int32_t) override { Note("created"); }
  void OnSizeChanged(int32_t) override { Note("size changed"); }
  void OnDestroyed(int32_t) override { Note("destroyed"); }
  void OnCharInput(const std::string& component, int character) override {
    Note("char " + component + " " + std::to_string(character));
    if (on_char) on_char(character);
  }
  void OnButtonClicked(const std::string& component) override { Note("clicked " + component); }
  void OnCurrentTabChanged(const std::string& component) override {
    Note("tab changed " + component);
  }
  void OnTabRightClicked(const std::string& component, int index) override {
    Note("tab right clicked " + component + " " + std::to_string(index));
  }
  void OnToolbarButtonClicked(const std::string& component, int index) override {
    Note("toolbar " + component + " " + std::to_string(index));
  }
  void OnToolbarDropDown(const std::string& component, int index, Point below) override {
    Note("drop down " + component + " " + std::to_string(index));
    drop_down_point = below;
  }
  void OnMenuItemSelected(int item) override { Note("menu " + std::to_string(item)); }
  HandlerResult OnBeforeNavigate(const std::string& component) override {
    Note("before navigate " + component);
    if (on_page_event) on_page_event();
    return {};
  }
  void OnTitleChange(const std::string& component) override {
    Note("title " + component);
    if (on_page_event) on_page_event();
  }

  // Whether an event named `what` was recorded; its record in `found`.
  bool Has(const std::string& what, Record* found = nullptr) const {
    for (const Record& record : records) {
      if (record.what != what) continue;
      if (found != nullptr) *found = record;
      return true;
    }
    return false;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const Record& record : records) names.push_back(record.what);
    return names;
  }

  std::vector<Record> records;
  Point drop_down_point;
  std::function<void(int)> on_char;
  std::function<void()> on_page_event;

 private:
  void Note(std::string what) {
    records.push_back(
        {std::move(what), platform_ ? platform_->CurrentEventSource() : EventSource{}});
  }
  WindowPlatform*& platform_;
};

// A fresh platform with stub pages and a run folder of its own.
class PlatformTest : public ::testing::Test {
 protected:
  PlatformTest() {
    char pattern[] = "/tmp/tavern-platform-XXXXXX";
    run_directory_ = mkdtemp(pattern);
    platform_ = std::make_unique<GtkPlatform>(run_directory_, pages_.Factory());
    raw_platform_ = platform_.get();
  }
  ~PlatformTest() override {
    platform_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(run_directory_, ignored);
  }

  GtkPlatform& platform() { return *platform_; }
  // Loads `definition` and waits until the window is on screen and laid out.
  int32_t Load(const WindowDefinition& definition) {
    const std::optional<int32_t> id = platform_->LoadWindow(definition, events_);
    EXPECT_TRUE(id.has_value());
    if (!id) return 0;
    GtkWidget* area = GTK_WIDGET(platform_->window(*id)->client_area().gobj());
    EXPECT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(area); }));
    Settle();
    return *id;
  }
  PlatformWindow& window(int32_t id) { return *platform_->window(id); }
  ComponentRef Ref(int32_t window_id, const std::string& name) {
    const std::optional<ComponentRef> ref = platform_->FindComponent(window_id, name);
    EXPECT_TRUE(ref.has_value()) << name;
    return ref.value_or(ComponentRef{});
  }

  std::string run_directory_;
  StubPages pages_;
  WindowPlatform* raw_platform_ = nullptr;
  RecordingEvents events_{raw_platform_};
  std::unique_ptr<GtkPlatform> platform_;
};

}  // namespace tavern::gtk::platform_test
