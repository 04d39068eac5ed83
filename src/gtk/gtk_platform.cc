#include "gtk/gtk_platform.h"

#include <gtkmm/image.h>
#include <gtkmm/main.h>
#include <gtkmm/messagedialog.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "gtk/component_style.h"
#include "gtk/edit_box_component.h"
#include "gtk/font_aliases.h"
#include "gtk/status_bar_component.h"
#include "gtk/tab_strip_component.h"
#include "gtk/toolbar_component.h"
#include "gtk/web_view_component.h"

namespace tavern::gtk {
namespace {

// A window whose handler is still running is destroyed this much later.
constexpr unsigned kDestroyRetryMilliseconds = 20;

// Message box texts keep CR LF from the program; GTK breaks lines at LF.
std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c != '\r') out.push_back(c);
  }
  return out;
}

}  // namespace

GtkPlatform::GtkPlatform(std::string run_directory, PageFactory pages)
    : run_directory_(std::move(run_directory)), pages_(std::move(pages)) {
  LoadFontAliases();
  // The program takes no command-line options, so GTK is given none.
  have_display_ = gtk_init_check(nullptr, nullptr);
  if (have_display_) {
    Gtk::Main::init_gtkmm_internals();
    InstallComponentStyle();
  }
}

GtkPlatform::~GtkPlatform() {
  // The handlers may be gone already: the windows go without events.
  for (auto& [id, w] : windows_) w->DestroyComponents();
  windows_.clear();
}

PageFactory GtkPlatform::DefaultPages() {
  return [](int font_size, WebPage::Events events) {
    return WebPage::Create(font_size, std::move(events));
  };
}

std::optional<int32_t> GtkPlatform::LoadWindow(const WindowDefinition& definition,
                                               WindowEvents& events) {
  if (!have_display_) return std::nullopt;
  const int32_t id = next_window_id_++;
  auto window = std::make_unique<PlatformWindow>(id, definition, events, router_);
  window->set_close_requested_handler([this, id] { CloseWindow(id); });
  PlatformWindow& shown = *window;
  windows_[id] = std::move(window);
  shown.Show();
  shown.RaiseCreated();
  if (PlatformWindow* still = this->window(id)) still->RaiseSizeChanged();
  return id;
}

void GtkPlatform::RunModal(const WindowDefinition& definition, WindowEvents& events) {
  const std::map<int32_t, bool> enabled = DisableAllWindows();
  const std::optional<int32_t> id = LoadWindow(definition, events);
  if (id && window(*id) != nullptr) {
    window(*id)->window().set_modal(true);
    Glib::RefPtr<Glib::MainLoop> loop = Glib::MainLoop::create();
    modal_loops_[*id] = loop;
    loop->run();
    modal_loops_.erase(*id);
  }
  RestoreWindows(enabled);
}

void GtkPlatform::CloseWindow(int32_t window_id) {
  if (window(window_id) == nullptr) return;
  Glib::signal_idle().connect_once([this, window_id] { DestroyWindow(window_id); },
                                   Glib::PRIORITY_HIGH_IDLE);
}

void GtkPlatform::RunMessageLoop() {
  if (windows_.empty()) return;
  main_loop_ = Glib::MainLoop::create();
  main_loop_->run();
  main_loop_.reset();
}

std::optional<ComponentRef> GtkPlatform::FindComponent(int32_t window_id, std::string_view name) {
  PlatformWindow* w = window(window_id);
  if (w == nullptr) return std::nullopt;
  const std::optional<int32_t> id = w->FindComponent(name);
  if (!id) return std::nullopt;
  return ComponentRef{window_id, *id};
}

std::optional<ComponentRef> GtkPlatform::CopyComponent(ComponentRef template_ref) {
  PlatformWindow* w = window(template_ref.window_id);
  if (w == nullptr) return std::nullopt;
  const std::optional<int32_t> id = w->CopyWebView(template_ref.component_id, pages_);
  if (!id) return std::nullopt;
  return ComponentRef{template_ref.window_id, *id};
}

void GtkPlatform::DestroyComponent(ComponentRef ref) {
  if (PlatformWindow* w = window(ref.window_id)) w->DestroyComponent(ref.component_id);
}

void GtkPlatform::BringToTop(ComponentRef ref) {
  if (PlatformWindow* w = window(ref.window_id)) w->BringToTop(ref.component_id);
}

int GtkPlatform::ClientWidth(int32_t window_id) {
  PlatformWindow* w = window(window_id);
  return w ? w->client_area().client_width() : 0;
}

Component* GtkPlatform::GetComponent(ComponentRef ref) {
  PlatformWindow* w = window(ref.window_id);
  return w ? w->GetComponent(ref.component_id) : nullptr;
}

WebView* GtkPlatform::GetWebView(ComponentRef ref) {
  return dynamic_cast<WebViewComponent*>(GetComponent(ref));
}

TabStrip* GtkPlatform::GetTabStrip(ComponentRef ref) {
  auto* strip = dynamic_cast<TabStripComponent*>(GetComponent(ref));
  return strip ? &strip->model() : nullptr;
}

EditBox* GtkPlatform::GetEditBox(ComponentRef ref) {
  return dynamic_cast<EditBoxComponent*>(GetComponent(ref));
}

StatusBar* GtkPlatform::GetStatusBar(ComponentRef ref) {
  return dynamic_cast<StatusBarComponent*>(GetComponent(ref));
}

Toolbar* GtkPlatform::GetToolbar(ComponentRef ref) {
  return dynamic_cast<ToolbarComponent*>(GetComponent(ref));
}

void GtkPlatform::SetMenuItemDisabled(int32_t window_id, int item, bool disabled) {
  if (PlatformWindow* w = window(window_id)) w->SetMenuItemDisabled(item, disabled);
}

bool GtkPlatform::MenuItemDisabled(int32_t window_id, int item) {
  PlatformWindow* w = window(window_id);
  return w != nullptr && w->MenuItemDisabled(item);
}

void GtkPlatform::PopupMenu(int32_t window_id, int menu, Point screen_point) {
  PlatformWindow* w = window(window_id);
  if (w == nullptr) return;
  const std::optional<int> chosen = w->Popup(menu, screen_point);
  if (!chosen) return;
  Glib::signal_idle().connect_once([this, window_id, item = *chosen] {
    if (PlatformWindow* still = window(window_id)) still->RaiseMenuItemSelected(item);
  });
}

Point GtkPlatform::PointerPosition() {
  GdkDisplay* display = gdk_display_get_default();
  GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
  GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
  Point position;
  if (pointer != nullptr) gdk_device_get_position(pointer, nullptr, &position.x, &position.y);
  return position;
}

void GtkPlatform::ShowMessageBox(const MessageBoxRequest& request) {
  if (!have_display_) {
    std::fprintf(stderr, "%s\n%s\n", request.caption.c_str(),
                 WithoutCarriageReturns(request.text).c_str());
    return;
  }
  const std::map<int32_t, bool> enabled =
      request.task_modal ? DisableAllWindows() : std::map<int32_t, bool>();
  const Gtk::MessageType type =
      request.icon == MessageIcon::kError ? Gtk::MESSAGE_ERROR : Gtk::MESSAGE_OTHER;
  Gtk::MessageDialog dialog(WithoutCarriageReturns(request.text), /*use_markup=*/false, type,
                            Gtk::BUTTONS_OK, /*modal=*/true);
  dialog.set_title(request.caption);
  dialog.set_position(Gtk::WIN_POS_CENTER);
  dialog.set_skip_taskbar_hint(false);
  // The texts are laid out with spaces; a font of even widths keeps their shape.
  if (auto* area = dynamic_cast<Gtk::Box*>(dialog.get_message_area())) {
    for (Gtk::Widget* child : area->get_children()) {
      if (auto* label = dynamic_cast<Gtk::Label*>(child)) {
        Pango::AttrList attributes;
        Pango::FontDescription font("宋体 10.5");
        auto attribute = Pango::Attribute::create_attr_font_desc(font);
        attributes.insert(attribute);
        label->set_attributes(attributes);
        label->set_selectable(true);
        label->set_xalign(0.0f);
      }
    }
  }
  Gtk::Image icon;
  if (request.icon == MessageIcon::kError) {
    // GTK 3 message dialogs draw no icon of their own.
    if (auto* row = dynamic_cast<Gtk::Box*>(dialog.get_message_area()->get_parent())) {
      icon.set_from_icon_name("dialog-error", Gtk::ICON_SIZE_DIALOG);
      icon.set_valign(Gtk::ALIGN_START);
      row->pack_start(icon, Gtk::PACK_SHRINK);
      row->reorder_child(icon, 0);
      icon.show();
    }
  }
  open_message_box_ = &dialog;
  dialog.run();
  open_message_box_ = nullptr;
  RestoreWindows(enabled);
}

void GtkPlatform::AddExitRoutine(std::function<void()> routine) {
  exit_routines_.push_back(std::move(routine));
}

void GtkPlatform::Exit(int code) {
  const auto routines = std::move(exit_routines_);
  exit_routines_.clear();
  for (const auto& routine : routines) routine();
  std::fflush(nullptr);
  // The engine's processes end when their connection to this one closes.
  _exit(code & 0xff);
}

int64_t GtkPlatform::NowMilliseconds() { return g_get_monotonic_time() / 1000; }

PlatformWindow* GtkPlatform::window(int32_t window_id) {
  const auto found = windows_.find(window_id);
  return found == windows_.end() ? nullptr : found->second.get();
}

void GtkPlatform::DestroyWindow(int32_t window_id) {
  const auto found = windows_.find(window_id);
  if (found == windows_.end()) return;
  if (router_.IsHandlingWindow(window_id)) {
    // A handler of this window runs a nested loop: not from under its feet.
    Glib::signal_timeout().connect_once([this, window_id] { DestroyWindow(window_id); },
                                        kDestroyRetryMilliseconds);
    return;
  }
  std::unique_ptr<PlatformWindow> gone = std::move(found->second);
  windows_.erase(found);
  WindowEvents& events = gone->events();
  gone->DestroyComponents();
  gone.reset();
  {
    EventRouter::Scope scope(router_, {{window_id, 0}, ComponentKind::kWindow});
    events.OnDestroyed(window_id);
  }
  if (const auto loop = modal_loops_.find(window_id); loop != modal_loops_.end()) {
    loop->second->quit();
  }
  if (windows_.empty() && main_loop_) main_loop_->quit();
}

std::map<int32_t, bool> GtkPlatform::DisableAllWindows() {
  std::map<int32_t, bool> enabled;
  for (auto& [id, w] : windows_) {
    enabled[id] = w->window().get_sensitive();
    w->window().set_sensitive(false);
  }
  return enabled;
}

void GtkPlatform::RestoreWindows(const std::map<int32_t, bool>& enabled) {
  for (const auto& [id, was_enabled] : enabled) {
    if (PlatformWindow* w = window(id)) w->window().set_sensitive(was_enabled);
  }
}

}  // namespace tavern::gtk
