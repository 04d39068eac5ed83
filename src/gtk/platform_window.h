#pragma once

#include <gtkmm/box.h>
#include <gtkmm/menu.h>
#include <gtkmm/menubar.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "components/component.h"
#include "components/component_ref.h"
#include "components/window_definition.h"
#include "components/window_events.h"
#include "gtk/client_area.h"
#include "gtk/event_router.h"
#include "gtk/web_page.h"

namespace tavern::gtk {

class WebViewComponent;

// Makes the engine side of a page; nullptr when it cannot.
using PageFactory = std::function<std::unique_ptr<WebPage>(int font_size, WebPage::Events)>;

// One window of the program, built from its definition: a top-level window
// with the menu bar and, under it, the client area that holds the
// components at their places. It keeps the components by id, their
// stacking order, and every menu item made from the definition.
class PlatformWindow {
 public:
  PlatformWindow(int32_t id, const WindowDefinition& definition, WindowEvents& events,
                 EventRouter& router);
  ~PlatformWindow();
  PlatformWindow(const PlatformWindow&) = delete;
  PlatformWindow& operator=(const PlatformWindow&) = delete;

  int32_t id() const { return id_; }
  WindowEvents& events() { return events_; }
  const WindowDefinition& definition() const { return definition_; }
  Gtk::Window& window() { return window_; }
  ClientArea& client_area() { return area_; }
  Gtk::MenuBar* menu_bar() { return menu_bar_.get(); }

  // Shows the window and the components marked visible.
  void Show();
  // Called when the user or Esc asks the window to close.
  void set_close_requested_handler(std::function<void()> handler);

  // Raises an event of the window itself, with the window as the source.
  void RaiseCreated();
  void RaiseSizeChanged();
  void RaiseMenuItemSelected(int item);

  std::optional<int32_t> FindComponent(std::string_view name) const;
  Component* GetComponent(int32_t component_id);
  std::optional<ComponentKind> KindOf(int32_t component_id) const;
  // A copy of web view `template_id` with a page from `factory`; nullopt if
  // the template is no web view or the page cannot be made.
  std::optional<int32_t> CopyWebView(int32_t template_id, const PageFactory& factory);
  // Destroys a run-time copy. A copy whose event is being handled is freed
  // once that event is over; it raises nothing more meanwhile.
  void DestroyComponent(int32_t component_id);
  void BringToTop(int32_t component_id);
  // The component ids from the front of the stacking order to the back.
  const std::vector<int32_t>& stacking_order() const { return stacking_; }
  // Destroys every component (pages first); the window stays.
  void DestroyComponents();

  void SetMenuItemDisabled(int item, bool disabled);
  bool MenuItemDisabled(int item) const;
  // Every GTK item made from menu item `item`, in the menu bar and in open pop-ups.
  std::vector<Gtk::MenuItem*> MenuItemsOf(int item) const;
  // Pops up the items under `menu` at `screen_point` and returns, once the
  // pop-up has closed, the item chosen in it.
  std::optional<int> Popup(int menu, Point screen_point);
  // The pop-up open now; nullptr when none is.
  Gtk::Menu* open_popup() { return open_popup_; }

 private:
  struct Entry {
    std::string name;
    ComponentKind kind = ComponentKind::kLabel;
    std::unique_ptr<Component> component;
    bool run_time_copy = false;
  };

  void BuildMenuBar();
  void FillMenu(Gtk::MenuShell& shell, const std::vector<int>& items, bool popup);
  Gtk::MenuItem* MakeMenuItem(int item, bool popup);
  void BuildComponents();
  std::unique_ptr<Component> MakeComponent(const ComponentDefinition& definition, ComponentRef ref);
  void UpdatePageMapping();
  void FreeLater(int32_t component_id, std::unique_ptr<Component> component);
  void ApplyWindowManagerHints();
  void PlaceOnScreen();
  bool on_window_key_press_event(GdkEventKey* event);
  bool on_window_delete_event(GdkEventAny* event);

  int32_t id_;
  WindowDefinition definition_;
  WindowEvents& events_;
  EventRouter& router_;
  std::string menu_look_class_;

  Gtk::Window window_;
  Gtk::Box column_;
  std::unique_ptr<Gtk::MenuBar> menu_bar_;
  ClientArea area_;

  std::map<int32_t, Entry> components_;
  std::vector<int32_t> stacking_;
  int32_t next_component_id_ = 1;
  struct PendingFree {
    int32_t component_id;
    std::unique_ptr<Component> component;
    sigc::connection retry;
  };
  std::vector<PendingFree> to_free_;

  std::vector<bool> menu_disabled_;
  std::multimap<int, Gtk::MenuItem*> menu_bar_items_;
  std::multimap<int, Gtk::MenuItem*> popup_items_;
  Gtk::Menu* open_popup_ = nullptr;
  std::optional<int> popup_choice_;

  std::function<void()> close_requested_;
  // Lets work posted for later find out whether the window is still there.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tavern::gtk
