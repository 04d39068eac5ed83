#pragma once

#include <glibmm/main.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/window_platform.h"
#include "gtk/event_router.h"
#include "gtk/platform_window.h"

namespace tavern::gtk {

// The window platform on GTK 3 (gtkmm) with WebKitGTK pages.
class GtkPlatform : public WindowPlatform {
 public:
  // Initialises GTK (an earlier initialisation is kept) and the fonts the
  // windows name. `run_directory` is the folder that holds the program;
  // `pages` makes the engine side of each page (tests give their own).
  explicit GtkPlatform(std::string run_directory, PageFactory pages = DefaultPages());
  ~GtkPlatform() override;

  // WebPage::Create.
  static PageFactory DefaultPages();

  std::optional<int32_t> LoadWindow(const WindowDefinition& definition,
                                    WindowEvents& events) override;
  void RunModal(const WindowDefinition& definition, WindowEvents& events) override;
  void CloseWindow(int32_t window_id) override;
  void RunMessageLoop() override;
  std::optional<ComponentRef> FindComponent(int32_t window_id, std::string_view name) override;
  std::optional<ComponentRef> CopyComponent(ComponentRef template_ref) override;
  void DestroyComponent(ComponentRef ref) override;
  void BringToTop(ComponentRef ref) override;
  int ClientWidth(int32_t window_id) override;
  EventSource CurrentEventSource() override { return router_.Current(); }
  Component* GetComponent(ComponentRef ref) override;
  WebView* GetWebView(ComponentRef ref) override;
  TabStrip* GetTabStrip(ComponentRef ref) override;
  EditBox* GetEditBox(ComponentRef ref) override;
  StatusBar* GetStatusBar(ComponentRef ref) override;
  Toolbar* GetToolbar(ComponentRef ref) override;
  void SetMenuItemDisabled(int32_t window_id, int item, bool disabled) override;
  bool MenuItemDisabled(int32_t window_id, int item) override;
  void PopupMenu(int32_t window_id, int menu, Point screen_point) override;
  Point PointerPosition() override;
  void ShowMessageBox(const MessageBoxRequest& request) override;
  void AddExitRoutine(std::function<void()> routine) override;
  void DropExitRoutines() override { exit_routines_.clear(); }
  [[noreturn]] void Exit(int code) override;
  std::string RunDirectory() override { return run_directory_; }
  int64_t NowMilliseconds() override;

  // For tests: the window with `window_id`; nullptr when it is gone.
  PlatformWindow* window(int32_t window_id);
  // For tests: the message box open now; nullptr when none is.
  Gtk::Window* open_message_box() { return open_message_box_; }

 private:
  // Destroys a window now: its components, then the window; raises OnDestroyed.
  void DestroyWindow(int32_t window_id);
  // Disables every window of the program; gives each one's enabled state.
  std::map<int32_t, bool> DisableAllWindows();
  void RestoreWindows(const std::map<int32_t, bool>& enabled);

  std::string run_directory_;
  PageFactory pages_;
  bool have_display_ = false;
  EventRouter router_;
  std::map<int32_t, std::unique_ptr<PlatformWindow>> windows_;
  int32_t next_window_id_ = 1;
  std::vector<std::function<void()>> exit_routines_;
  Glib::RefPtr<Glib::MainLoop> main_loop_;
  // The nested loops of the modal windows open now, by window.
  std::map<int32_t, Glib::RefPtr<Glib::MainLoop>> modal_loops_;
  Gtk::Window* open_message_box_ = nullptr;
};

}  // namespace tavern::gtk
