#include "gtk/program_fixture.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <glibmm/main.h>
#include <gtkmm/menuitem.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/encoding.h"

namespace tavern::testing {

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(2000);
  }
  return true;
}

void Linger(std::chrono::milliseconds time) {
  WaitFor([] { return false; }, time);
}

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title +
         "</title></head><body>" + body + "</body></html>";
}

ProgramOnGtk::ProgramOnGtk() {
  std::string pattern = "/tmp/tavern-program-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  run_directory_ = pattern;
}

ProgramOnGtk::~ProgramOnGtk() {
  for (sigc::connection& watcher : watchers_) watcher.disconnect();
  // The windows go first, while the program's handlers still exist.
  platform_.reset();
  program_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(run_directory_, ignored);
}

void ProgramOnGtk::WriteHomePage(const std::string& home_page) {
  std::ofstream(run_directory_ + "/config.ini", std::ios::binary)
      << *Utf8ToGb18030("[主页]\r\nhomepage=" + home_page + "\r\n");
}

std::string ProgramOnGtk::ReadConfig() const {
  std::ifstream in(run_directory_ + "/config.ini", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool ProgramOnGtk::Start(bool wait_for_first_page) {
  platform_ = std::make_unique<gtk::GtkPlatform>(run_directory_);
  program_ = std::make_unique<Program>(*platform_);
  program_->Start();
  // Wait for the window to be on screen and laid out.
  GtkWidget* window = GTK_WIDGET(main_window().window().gobj());
  if (!WaitFor([&] { return gtk_widget_get_mapped(window) && !boxes().empty(); })) return false;
  if (!wait_for_first_page) return true;
  return WaitFor([&] {
    return !boxes().empty() && !webkit_web_view_is_loading(ViewOfTab(1)) &&
           StatusText() == "准备就绪";
  });
}

gtk::PlatformWindow& ProgramOnGtk::main_window() { return *platform_->window(1); }

TabStrip& ProgramOnGtk::tabs() { return tab_strip_component().model(); }

gtk::TabStripView& ProgramOnGtk::tab_view() { return tab_strip_component().view(); }

gtk::TabStripComponent& ProgramOnGtk::tab_strip_component() {
  const auto id = main_window().FindComponent(kTabStripName);
  return dynamic_cast<gtk::TabStripComponent&>(*main_window().GetComponent(*id));
}

gtk::EditBoxComponent& ProgramOnGtk::address_box() {
  const auto id = main_window().FindComponent(kAddressBoxName);
  return dynamic_cast<gtk::EditBoxComponent&>(*main_window().GetComponent(*id));
}

gtk::ToolbarComponent& ProgramOnGtk::toolbar() {
  const auto id = main_window().FindComponent(kToolbarName);
  return dynamic_cast<gtk::ToolbarComponent&>(*main_window().GetComponent(*id));
}

gtk::StatusBarComponent& ProgramOnGtk::status_bar() {
  const auto id = main_window().FindComponent(kStatusBarName);
  return dynamic_cast<gtk::StatusBarComponent&>(*main_window().GetComponent(*id));
}

gtk::WebViewComponent& ProgramOnGtk::PageOfTab(int k) {
  return dynamic_cast<gtk::WebViewComponent&>(*platform_->GetComponent(boxes().at(k)));
}

WebKitWebView* ProgramOnGtk::ViewOfTab(int k) {
  return WEBKIT_WEB_VIEW(PageOfTab(k).page()->widget());
}

bool ProgramOnGtk::IsOnScreen(int k) {
  GtkWidget* widget = GTK_WIDGET(ViewOfTab(k));
  return gtk_widget_get_child_visible(widget) && gtk_widget_get_mapped(widget);
}

int ProgramOnGtk::FrontTab() {
  int front = 0;
  for (int k = 1; k <= boxes().size(); ++k) {
    if (IsOnScreen(k)) {
      if (front != 0) return -1;  // two pages on screen
      front = k;
    }
  }
  return front;
}

bool ProgramOnGtk::WaitLoaded(int k, const std::string& address) {
  return WaitFor([&] {
    return k <= boxes().size() && PageOfTab(k).url() == address &&
           !webkit_web_view_is_loading(ViewOfTab(k));
  });
}

std::string ProgramOnGtk::RunScript(int k, const std::string& script) {
  struct Result {
    bool done = false;
    std::string value;
  } result;
  webkit_web_view_evaluate_javascript(
      ViewOfTab(k), script.c_str(), -1, nullptr, nullptr, nullptr,
      [](GObject* object, GAsyncResult* async, gpointer data) {
        auto* out = static_cast<Result*>(data);
        GError* error = nullptr;
        JSCValue* value =
            webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object), async, &error);
        if (value != nullptr) {
          char* text = jsc_value_to_string(value);
          out->value = text ? text : "";
          g_free(text);
          g_object_unref(value);
        } else {
          out->value = std::string("<failed: ") + (error ? error->message : "?") + ">";
          if (error) g_error_free(error);
        }
        out->done = true;
      },
      &result);
  if (!WaitFor([&] { return result.done; })) return "<timed out>";
  return result.value;
}

namespace {

Display* XDisplay() { return gdk_x11_display_get_xdisplay(gdk_display_get_default()); }

// The widget's centre in root window coordinates.
Point RootCentre(GtkWidget* widget) {
  GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
  int x = 0, y = 0;
  GtkAllocation box;
  gtk_widget_get_allocation(widget, &box);
  gtk_widget_translate_coordinates(widget, toplevel, box.width / 2, box.height / 2, &x, &y);
  int origin_x = 0, origin_y = 0;
  gdk_window_get_origin(gtk_widget_get_window(toplevel), &origin_x, &origin_y);
  return {origin_x + x, origin_y + y};
}

void MovePointer(Point at) {
  XTestFakeMotionEvent(XDisplay(), -1, at.x, at.y, CurrentTime);
  XFlush(XDisplay());
  Linger(std::chrono::milliseconds(30));
}

}  // namespace

void ProgramOnGtk::Click(GtkWidget* widget, int button) {
  ASSERT_TRUE(gtk_widget_get_mapped(widget));
  ClickAt(RootCentre(widget), button);
}

void ProgramOnGtk::ClickAt(Point screen, int button) {
  MovePointer(screen);
  XTestFakeButtonEvent(XDisplay(), static_cast<unsigned>(button), True, CurrentTime);
  XTestFakeButtonEvent(XDisplay(), static_cast<unsigned>(button), False, CurrentTime);
  XFlush(XDisplay());
  Linger(std::chrono::milliseconds(50));
}

void ProgramOnGtk::ClickTab(int index, int button) {
  Gtk::Label* label = tab_view().tab_label(index);
  ASSERT_NE(label, nullptr);
  Click(GTK_WIDGET(label->gobj()), button);
}

void ProgramOnGtk::PressKey(GtkWidget* widget, guint keyval, GdkModifierType modifiers) {
  ASSERT_TRUE(gtk_widget_get_mapped(widget));
  // Keys go to the window under the pointer while no window manager runs.
  MovePointer(RootCentre(widget));
  Display* display = XDisplay();
  std::vector<KeyCode> held;
  if (modifiers & GDK_CONTROL_MASK) held.push_back(XKeysymToKeycode(display, XK_Control_L));
  if (modifiers & GDK_MOD1_MASK) held.push_back(XKeysymToKeycode(display, XK_Alt_L));
  if (modifiers & GDK_SHIFT_MASK) held.push_back(XKeysymToKeycode(display, XK_Shift_L));
  for (const KeyCode code : held) XTestFakeKeyEvent(display, code, True, CurrentTime);
  const KeyCode code = XKeysymToKeycode(display, keyval);
  ASSERT_NE(code, 0) << "no key for " << keyval;
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  for (auto it = held.rbegin(); it != held.rend(); ++it) {
    XTestFakeKeyEvent(display, *it, False, CurrentTime);
  }
  XFlush(display);
  Linger(std::chrono::milliseconds(50));
}

void ProgramOnGtk::OpenTyped(const std::string& address) {
  Gtk::Entry& entry = address_box().entry();
  entry.grab_focus();
  entry.set_text(address);
  entry.set_position(-1);
  PressKey(GTK_WIDGET(entry.gobj()), GDK_KEY_Return);
}

void ProgramOnGtk::SelectMenu(const std::string& caption) {
  // Find the menu bar item that holds the caption and activate it, as the
  // keyboard does with the item's mnemonic.
  const int item = FindMenuItem(MainWindowDefinition(), caption);
  ASSERT_GE(item, 0) << caption;
  const std::vector<Gtk::MenuItem*> items = main_window().MenuItemsOf(item);
  ASSERT_FALSE(items.empty()) << caption;
  items.front()->activate();
}

void ProgramOnGtk::WhenPopupOpens(std::function<void(Gtk::Menu&)> act) {
  watchers_.push_back(Glib::signal_timeout().connect(
      [this, act] {
        Gtk::Menu* popup = main_window().open_popup();
        if (popup == nullptr || !popup->get_mapped()) return true;
        act(*popup);
        return false;
      },
      20));
}

void ProgramOnGtk::ChooseItem(Gtk::Menu& menu, const std::string& caption) {
  for (Gtk::Widget* child : menu.get_children()) {
    auto* item = dynamic_cast<Gtk::MenuItem*>(child);
    if (item != nullptr && item->get_label() == caption) {
      menu.select_item(*item);
      menu.activate_item(*item, /*force_deactivate=*/true);
      return;
    }
  }
  ADD_FAILURE() << "no item " << caption;
  menu.deactivate();
}

void ProgramOnGtk::WhenWindowOpens(std::function<void(GtkWindow*)> act) {
  watchers_.push_back(Glib::signal_timeout().connect(
      [this, act] {
        const std::vector<GtkWindow*> others = OtherWindows();
        if (others.empty() || !gtk_widget_get_mapped(GTK_WIDGET(others.front()))) return true;
        act(others.front());
        return false;
      },
      20));
}

std::vector<GtkWindow*> ProgramOnGtk::OtherWindows() {
  std::vector<GtkWindow*> others;
  GtkWindow* main = main_window().window().gobj();
  GList* all = gtk_window_list_toplevels();
  for (GList* it = all; it != nullptr; it = it->next) {
    auto* window = GTK_WINDOW(it->data);
    if (window == main || gtk_window_get_window_type(window) != GTK_WINDOW_TOPLEVEL) continue;
    if (!gtk_widget_get_visible(GTK_WIDGET(window))) continue;
    others.push_back(window);
  }
  g_list_free(all);
  return others;
}

}  // namespace tavern::testing
