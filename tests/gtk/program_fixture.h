#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/menu.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_definition.h"
#include "app/start_up.h"
#include "gtk/edit_box_component.h"
#include "gtk/gtk_platform.h"
#include "gtk/local_server.h"
#include "gtk/status_bar_component.h"
#include "gtk/tab_strip_component.h"
#include "gtk/toolbar_component.h"
#include "gtk/web_view_component.h"

namespace tavern::testing {

// Iterates the main loop until `done` or the timeout; false on timeout.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Iterates the main loop for `time`, for things that must not happen.
void Linger(std::chrono::milliseconds time);

// The real program on the real platform, inside the test process, with a
// run folder of its own and pages served on 127.0.0.1. The user's input
// goes through the X server (XTest), as a person's would.
class ProgramOnGtk : public ::testing::Test {
 protected:
  ProgramOnGtk();
  ~ProgramOnGtk() override;

  // Writes config.ini naming `home_page` (GBK, as installations have it).
  void WriteHomePage(const std::string& home_page);
  std::string ReadConfig() const;
  const std::string& run_directory() const { return run_directory_; }
  // Starts the program; gives false when the first page did not load.
  bool Start(bool wait_for_first_page = true);

  gtk::PlatformWindow& main_window();
  const BrowserList& boxes() const { return program_->state().BrowserBoxes; }
  TabStrip& tabs();
  gtk::TabStripView& tab_view();
  gtk::EditBoxComponent& address_box();
  gtk::ToolbarComponent& toolbar();
  gtk::StatusBarComponent& status_bar();
  std::string StatusText() { return status_bar().PartText(kStatusTextPart); }
  gtk::WebViewComponent& PageOfTab(int k);
  WebKitWebView* ViewOfTab(int k);
  // Whether the page of tab k is the one mapped (on screen).
  bool IsOnScreen(int k);
  int FrontTab();

  // Waits until page k has completed `address` (its url reads it and it
  // is no longer loading).
  bool WaitLoaded(int k, const std::string& address);
  // Runs a script in page k as a user gesture; gives its value as text.
  std::string RunScript(int k, const std::string& script);

  // Input through the X server.
  void Click(GtkWidget* widget, int button = 1);
  // Clicks at a point of the screen.
  void ClickAt(Point screen, int button = 1);
  void ClickTab(int index, int button = 1);
  void PressKey(GtkWidget* widget, guint keyval, GdkModifierType modifiers = GdkModifierType(0));
  // Types `address` into the address box and presses Enter.
  void OpenTyped(const std::string& address);
  // Selects a menu bar item by its caption, as a keyboard user would.
  void SelectMenu(const std::string& caption);
  // When a pop-up opens, runs `act` on it (inside the pop-up's loop).
  void WhenPopupOpens(std::function<void(Gtk::Menu&)> act);
  // Activates the pop-up's item with `caption`.
  static void ChooseItem(Gtk::Menu& menu, const std::string& caption);
  // When a window other than the main one opens, runs `act` on it.
  void WhenWindowOpens(std::function<void(GtkWindow*)> act);
  // The program's top-level windows other than the main window.
  std::vector<GtkWindow*> OtherWindows();

  gtk::TabStripComponent& tab_strip_component();

  LocalServer server_;
  std::unique_ptr<gtk::GtkPlatform> platform_;
  std::unique_ptr<Program> program_;

 private:
  std::string run_directory_;
  std::vector<sigc::connection> watchers_;
};

// A page with a title and some text, as served HTML.
std::string Page(const std::string& title, const std::string& body);

}  // namespace tavern::testing
