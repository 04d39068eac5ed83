#include "gtk/platform_window.h"

#include <glibmm/main.h>
#include <gtkmm/separatormenuitem.h>

#include <algorithm>

#include "gtk/button_component.h"
#include "gtk/edit_box_component.h"
#include "gtk/label_component.h"
#include "gtk/menu_label.h"
#include "gtk/menu_look.h"
#include "gtk/plain_component.h"
#include "gtk/status_bar_component.h"
#include "gtk/tab_strip_component.h"
#include "gtk/toolbar_component.h"
#include "gtk/web_view_component.h"

namespace tavern::gtk {
namespace {

// A destroyed copy whose event still runs is looked at again this often.
constexpr unsigned kFreeRetryMilliseconds = 20;

}  // namespace

PlatformWindow::PlatformWindow(int32_t id, const WindowDefinition& definition, WindowEvents& events,
                               EventRouter& router)
    : id_(id),
      definition_(definition),
      events_(events),
      router_(router),
      column_(Gtk::ORIENTATION_VERTICAL, 0) {
  menu_disabled_.resize(definition_.menu.size());
  for (std::size_t i = 0; i < definition_.menu.size(); ++i) {
    menu_disabled_[i] = definition_.menu[i].disabled;
  }
  for (const ComponentDefinition& c : definition_.components) {
    if (c.kind == ComponentKind::kMenuLook) menu_look_class_ = MenuLookClass(c.font_family);
  }

  window_.set_title(definition_.caption);
  window_.set_default_size(definition_.outer_width, definition_.outer_height);
  // The edges are fixed through the window manager's hints (see
  // ApplyWindowManagerHints); a window without maximise stays fixed for GTK too.
  window_.set_resizable(definition_.maximize_box);
  // GTK sizes a window it may not resize by its request alone.
  if (!definition_.maximize_box) {
    window_.set_size_request(definition_.outer_width, definition_.outer_height);
  }
  window_.set_skip_taskbar_hint(!definition_.show_in_taskbar);
  window_.set_keep_above(definition_.topmost);
  if (!definition_.minimize_box && !definition_.maximize_box) {
    window_.set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
  }
  window_.signal_realize().connect([this] { ApplyWindowManagerHints(); });
  window_.signal_key_press_event().connect(
      sigc::mem_fun(*this, &PlatformWindow::on_window_key_press_event), /*after=*/true);
  window_.signal_delete_event().connect(
      sigc::mem_fun(*this, &PlatformWindow::on_window_delete_event), /*after=*/false);

  BuildMenuBar();
  if (menu_bar_) column_.pack_start(*menu_bar_, Gtk::PACK_SHRINK);
  column_.pack_start(area_, Gtk::PACK_EXPAND_WIDGET);
  window_.add(column_);

  int menu_height = 0;
  if (menu_bar_) {
    menu_bar_->show_all();
    int natural = 0;
    menu_bar_->get_preferred_height(menu_height, natural);
  }
  area_.set_planned_size(definition_.outer_width, definition_.outer_height - menu_height);
  area_.set_resized_handler([this] { RaiseSizeChanged(); });
  BuildComponents();
  PlaceOnScreen();
}

PlatformWindow::~PlatformWindow() {
  *alive_ = false;
  area_.set_resized_handler(nullptr);
  DestroyComponents();
}

void PlatformWindow::Show() {
  column_.show();
  area_.show();
  window_.show();
  // The first shown control that takes the Tab key starts with the focus.
  for (const ComponentDefinition& definition : definition_.components) {
    if (!definition.tab_stop || !definition.visible) continue;
    const std::optional<int32_t> id = FindComponent(definition.name);
    if (!id) continue;
    Component* component = GetComponent(*id);
    if (auto* edit_box = dynamic_cast<EditBoxComponent*>(component)) {
      edit_box->entry().grab_focus();
      return;
    }
    if (auto* button = dynamic_cast<ButtonComponent*>(component)) {
      button->button().grab_focus();
      return;
    }
  }
}

void PlatformWindow::set_close_requested_handler(std::function<void()> handler) {
  close_requested_ = std::move(handler);
}

void PlatformWindow::RaiseCreated() {
  EventRouter::Scope scope(router_, {{id_, 0}, ComponentKind::kWindow});
  events_.OnCreated(id_);
}

void PlatformWindow::RaiseSizeChanged() {
  area_.MarkSizeReported();
  EventRouter::Scope scope(router_, {{id_, 0}, ComponentKind::kWindow});
  events_.OnSizeChanged(id_);
}

void PlatformWindow::RaiseMenuItemSelected(int item) {
  EventRouter::Scope scope(router_, {{id_, 0}, ComponentKind::kWindow});
  events_.OnMenuItemSelected(item);
}

std::optional<int32_t> PlatformWindow::FindComponent(std::string_view name) const {
  // Copies carry their template's name; the template was made first.
  for (const auto& [id, entry] : components_) {
    if (entry.name == name && !entry.run_time_copy) return id;
  }
  return std::nullopt;
}

Component* PlatformWindow::GetComponent(int32_t component_id) {
  const auto found = components_.find(component_id);
  return found == components_.end() ? nullptr : found->second.component.get();
}

std::optional<ComponentKind> PlatformWindow::KindOf(int32_t component_id) const {
  const auto found = components_.find(component_id);
  if (found == components_.end()) return std::nullopt;
  return found->second.kind;
}

std::optional<int32_t> PlatformWindow::CopyWebView(int32_t template_id,
                                                   const PageFactory& factory) {
  const auto found = components_.find(template_id);
  if (found == components_.end() || found->second.kind != ComponentKind::kWebView) {
    return std::nullopt;
  }
  const auto& model = static_cast<const WebViewComponent&>(*found->second.component);
  const int32_t id = next_component_id_++;
  ComponentContext context{&router_, &events_, found->second.name,
                           EventSource{{id_, id}, ComponentKind::kWebView}};
  auto copy = std::make_unique<WebViewComponent>(area_, model, std::move(context));
  std::unique_ptr<WebPage> page = factory(model.FontSize(), copy->PageEvents());
  if (!page) return std::nullopt;
  copy->SetPage(std::move(page));
  copy->placement().set_visibility_observer([this] { UpdatePageMapping(); });
  components_[id] = Entry{found->second.name, ComponentKind::kWebView, std::move(copy), true};
  const auto at = std::find(stacking_.begin(), stacking_.end(), template_id);
  stacking_.insert(at == stacking_.end() ? at : at + 1, id);
  UpdatePageMapping();
  return id;
}

void PlatformWindow::DestroyComponent(int32_t component_id) {
  const auto found = components_.find(component_id);
  if (found == components_.end() || !found->second.run_time_copy) return;
  std::unique_ptr<Component> component = std::move(found->second.component);
  components_.erase(found);
  std::erase(stacking_, component_id);
  if (auto* view = dynamic_cast<WebViewComponent*>(component.get())) {
    view->Silence();
    view->placement().set_visibility_observer(nullptr);
    // Out of sight now; out of the window when it is freed.
    view->placement().set_visible(false);
  }
  // The page may be inside one of its own signals now: free it afterwards.
  FreeLater(component_id, std::move(component));
  UpdatePageMapping();
}

void PlatformWindow::BringToTop(int32_t component_id) {
  const auto found = std::find(stacking_.begin(), stacking_.end(), component_id);
  if (found == stacking_.end()) return;
  stacking_.erase(found);
  stacking_.insert(stacking_.begin(), component_id);
  UpdatePageMapping();
}

void PlatformWindow::DestroyComponents() {
  // Pages first: they may still raise events into components being torn down.
  for (auto& [id, entry] : components_) {
    if (auto* view = dynamic_cast<WebViewComponent*>(entry.component.get())) {
      view->Silence();
      view->placement().set_visibility_observer(nullptr);
    }
  }
  std::erase_if(components_,
                [](const auto& entry) { return entry.second.kind == ComponentKind::kWebView; });
  components_.clear();
  stacking_.clear();
  for (PendingFree& item : to_free_) item.retry.disconnect();
  to_free_.clear();
}

void PlatformWindow::SetMenuItemDisabled(int item, bool disabled) {
  if (item < 0 || item >= static_cast<int>(menu_disabled_.size())) return;
  menu_disabled_[static_cast<std::size_t>(item)] = disabled;
  for (Gtk::MenuItem* menu_item : MenuItemsOf(item)) menu_item->set_sensitive(!disabled);
}

bool PlatformWindow::MenuItemDisabled(int item) const {
  if (item < 0 || item >= static_cast<int>(menu_disabled_.size())) return false;
  return menu_disabled_[static_cast<std::size_t>(item)];
}

std::vector<Gtk::MenuItem*> PlatformWindow::MenuItemsOf(int item) const {
  std::vector<Gtk::MenuItem*> items;
  for (const auto* map : {&menu_bar_items_, &popup_items_}) {
    const auto [begin, end] = map->equal_range(item);
    for (auto it = begin; it != end; ++it) items.push_back(it->second);
  }
  return items;
}

std::optional<int> PlatformWindow::Popup(int menu, Point screen_point) {
  Gtk::Menu popup;
  ApplyMenuLook(popup, menu_look_class_);
  FillMenu(popup, MenuChildren(definition_, menu), /*popup=*/true);
  popup.attach_to_widget(window_);
  popup.show_all();

  popup_choice_.reset();
  Glib::RefPtr<Glib::MainLoop> loop = Glib::MainLoop::create();
  // The menu closes before the chosen item activates, in the same dispatch:
  // by the time the loop has stopped, the choice is known.
  sigc::connection closed = popup.signal_deactivate().connect([loop] { loop->quit(); });

  GdkWindow* toplevel = gtk_widget_get_window(GTK_WIDGET(window_.gobj()));
  GdkEvent* trigger = gtk_get_current_event();
  if (toplevel != nullptr) {
    int origin_x = 0, origin_y = 0;
    gdk_window_get_origin(toplevel, &origin_x, &origin_y);
    const GdkRectangle at{screen_point.x - origin_x, screen_point.y - origin_y, 1, 1};
    gtk_menu_popup_at_rect(popup.gobj(), toplevel, &at, GDK_GRAVITY_NORTH_WEST,
                           GDK_GRAVITY_NORTH_WEST, trigger);
  }
  if (trigger != nullptr) gdk_event_free(trigger);

  if (toplevel != nullptr && popup.get_visible()) {
    open_popup_ = &popup;
    loop->run();
    open_popup_ = nullptr;
  }
  closed.disconnect();
  popup_items_.clear();
  popup.detach();
  return popup_choice_;
}

void PlatformWindow::BuildMenuBar() {
  std::vector<int> menus;
  for (std::size_t i = 0; i < definition_.menu.size(); ++i) {
    const MenuItemDefinition& item = definition_.menu[i];
    if (item.level == 0 && !item.hidden) menus.push_back(static_cast<int>(i));
  }
  if (menus.empty()) return;
  menu_bar_ = std::make_unique<Gtk::MenuBar>();
  ApplyMenuLook(*menu_bar_, menu_look_class_);
  FillMenu(*menu_bar_, menus, /*popup=*/false);
}

void PlatformWindow::FillMenu(Gtk::MenuShell& shell, const std::vector<int>& items, bool popup) {
  for (const int item : items) {
    const MenuItemDefinition& definition = definition_.menu[static_cast<std::size_t>(item)];
    if (definition.hidden) continue;
    if (definition.caption == kMenuSeparator) {
      shell.append(*Gtk::make_managed<Gtk::SeparatorMenuItem>());
      continue;
    }
    Gtk::MenuItem* menu_item = MakeMenuItem(item, popup);
    const std::vector<int> children = MenuChildren(definition_, item);
    if (!children.empty()) {
      auto* submenu = Gtk::make_managed<Gtk::Menu>();
      ApplyMenuLook(*submenu, menu_look_class_);
      FillMenu(*submenu, children, popup);
      menu_item->set_submenu(*submenu);
    }
    shell.append(*menu_item);
  }
}

Gtk::MenuItem* PlatformWindow::MakeMenuItem(int item, bool popup) {
  const MenuItemDefinition& definition = definition_.menu[static_cast<std::size_t>(item)];
  auto* menu_item = Gtk::make_managed<Gtk::MenuItem>(MnemonicLabel(definition.caption), true);
  menu_item->set_sensitive(!MenuItemDisabled(item));
  (popup ? popup_items_ : menu_bar_items_).emplace(item, menu_item);
  if (MenuChildren(definition_, item).empty()) {
    if (popup) {
      menu_item->signal_activate().connect([this, item] { popup_choice_ = item; });
    } else {
      // Raised as an event of its own, once the menu has closed.
      menu_item->signal_activate().connect([this, item, alive = alive_] {
        Glib::signal_idle().connect_once([this, item, alive] {
          if (*alive) RaiseMenuItemSelected(item);
        });
      });
    }
  }
  return menu_item;
}

void PlatformWindow::BuildComponents() {
  // Ids follow the definition's order. The client area draws later children
  // over earlier ones, so the docked bars go in first: controls placed over
  // them (the address box over the toolbar) stay in sight.
  std::vector<std::pair<int32_t, const ComponentDefinition*>> order;
  for (const ComponentDefinition& definition : definition_.components) {
    order.emplace_back(next_component_id_++, &definition);
  }
  std::stable_partition(order.begin(), order.end(),
                        [](const auto& entry) { return entry.second->dock != Dock::kNone; });
  for (const auto& [id, definition] : order) {
    std::unique_ptr<Component> component = MakeComponent(*definition, {id_, id});
    if (!component) continue;
    components_[id] = Entry{definition->name, definition->kind, std::move(component), false};
  }
  for (const auto& [id, entry] : components_) stacking_.push_back(id);
}

std::unique_ptr<Component> PlatformWindow::MakeComponent(const ComponentDefinition& definition,
                                                         ComponentRef ref) {
  ComponentContext context{&router_, &events_, definition.name, EventSource{ref, definition.kind}};
  switch (definition.kind) {
    case ComponentKind::kTabStrip:
      return std::make_unique<TabStripComponent>(area_, definition, std::move(context));
    case ComponentKind::kStatusBar:
      return std::make_unique<StatusBarComponent>(area_, definition);
    case ComponentKind::kWebView:
      return std::make_unique<WebViewComponent>(area_, definition);
    case ComponentKind::kEditBox:
      return std::make_unique<EditBoxComponent>(area_, definition, std::move(context));
    case ComponentKind::kLabel:
      return std::make_unique<LabelComponent>(area_, definition);
    case ComponentKind::kToolbar:
      return std::make_unique<ToolbarComponent>(area_, definition, std::move(context));
    case ComponentKind::kButton:
      return std::make_unique<ButtonComponent>(area_, definition, std::move(context));
    case ComponentKind::kMenuLook:
      return std::make_unique<PlainComponent>(area_, definition);
    case ComponentKind::kWindow:
      break;
  }
  return nullptr;
}

void PlatformWindow::UpdatePageMapping() {
  // Only the front-most shown page is mapped; the engine takes the others
  // as hidden and stops drawing them.
  bool front_found = false;
  for (const int32_t id : stacking_) {
    auto* view = dynamic_cast<WebViewComponent*>(components_.at(id).component.get());
    if (view == nullptr || view->page() == nullptr) continue;
    GtkWidget* widget = view->page()->widget();
    const bool front = !front_found && view->visible();
    if (front) front_found = true;
    if (gtk_widget_get_child_visible(widget) != front) gtk_widget_set_child_visible(widget, front);
  }
  area_.Relayout();
}

void PlatformWindow::FreeLater(int32_t component_id, std::unique_ptr<Component> component) {
  // Freed once no event of the component is running any more, also when
  // its handler ran a nested loop meanwhile.
  sigc::connection retry = Glib::signal_timeout().connect(
      [this, component_id] {
        if (router_.IsHandling({id_, component_id})) return true;
        std::erase_if(to_free_,
                      [&](const PendingFree& item) { return item.component_id == component_id; });
        return false;
      },
      kFreeRetryMilliseconds);
  to_free_.push_back(PendingFree{component_id, std::move(component), retry});
}

void PlatformWindow::ApplyWindowManagerHints() {
  GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(window_.gobj()));
  if (window == nullptr) return;
  // A fixed border: the window manager offers no edge to drag, but the
  // window still moves, minimises and maximises as its definition allows.
  int functions = GDK_FUNC_MOVE | GDK_FUNC_CLOSE;
  int decorations = GDK_DECOR_BORDER | GDK_DECOR_TITLE;
  if (definition_.system_menu) decorations |= GDK_DECOR_MENU;
  if (definition_.minimize_box) {
    functions |= GDK_FUNC_MINIMIZE;
    decorations |= GDK_DECOR_MINIMIZE;
  }
  if (definition_.maximize_box) {
    // Window managers such as openbox take maximise away from a window that
    // may not be resized; such a window keeps the function, and a fixed
    // border still shows no edge to drag.
    functions |= GDK_FUNC_MAXIMIZE | GDK_FUNC_RESIZE;
    decorations |= GDK_DECOR_MAXIMIZE;
  }
  if (!definition_.fixed_border) {
    functions |= GDK_FUNC_RESIZE;
    decorations |= GDK_DECOR_RESIZEH;
  }
  gdk_window_set_functions(window, static_cast<GdkWMFunction>(functions));
  gdk_window_set_decorations(window, static_cast<GdkWMDecoration>(decorations));
}

void PlatformWindow::PlaceOnScreen() {
  if (!definition_.centred) {
    window_.move(definition_.stored_place.x, definition_.stored_place.y);
    return;
  }
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
  if (monitor == nullptr && display != nullptr) monitor = gdk_display_get_monitor(display, 0);
  if (monitor == nullptr) return;
  GdkRectangle screen;
  gdk_monitor_get_geometry(monitor, &screen);
  // Halves rounded toward zero.
  window_.move(screen.x + (screen.width - definition_.outer_width) / 2,
               screen.y + (screen.height - definition_.outer_height) / 2);
}

bool PlatformWindow::on_window_key_press_event(GdkEventKey* event) {
  // Connected after the default handler: a focused control that uses Esc
  // has taken it already.
  if (event->keyval != GDK_KEY_Escape || !definition_.escape_closes) return false;
  if (!window_.get_sensitive()) return false;
  if (close_requested_) close_requested_();
  return true;
}

bool PlatformWindow::on_window_delete_event(GdkEventAny* /*event*/) {
  // A disabled window (behind a modal one) cannot be closed; an enabled one
  // closes through the platform, never by GTK's own destroy.
  if (window_.get_sensitive() && close_requested_) close_requested_();
  return true;
}

}  // namespace tavern::gtk
