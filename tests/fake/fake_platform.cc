#include "fake/fake_platform.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <type_traits>

#include "text/utf8.h"

namespace tavern::fake {

struct FakePlatform::Window {
  int32_t id = 0;
  const WindowDefinition* definition = nullptr;
  WindowEvents* events = nullptr;
  std::map<int32_t, std::unique_ptr<Component>> components;
  std::map<int32_t, ComponentKind> kinds;
  // Each component's name in the definition; a copy has its template's.
  std::map<int32_t, std::string> names;
  // Every component, back to front.
  std::vector<int32_t> stacking;
  std::vector<bool> menu_disabled;
  bool enabled = true;
  int client_width = 0;
  int client_height = 0;
  int32_t next_component_id = 1;
};

// One action of the user or a page. When the outermost one ends, what the
// program posted meanwhile runs, as the message loop would run it next.
class FakePlatform::ActionScope {
 public:
  explicit ActionScope(FakePlatform& platform)
      : platform_(platform), exceptions_(std::uncaught_exceptions()) {
    ++platform_.action_depth_;
  }
  ~ActionScope() noexcept(false) {
    --platform_.action_depth_;
    if (platform_.action_depth_ == 0 && std::uncaught_exceptions() == exceptions_) {
      platform_.RunPosted();
    }
  }
  ActionScope(const ActionScope&) = delete;
  ActionScope& operator=(const ActionScope&) = delete;

 private:
  FakePlatform& platform_;
  int exceptions_;
};

namespace {

std::string RefText(ComponentRef ref) {
  return std::to_string(ref.window_id) + ":" + std::to_string(ref.component_id);
}

int DecodeChar(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  switch (text.size()) {
    case 1:
      return byte(0);
    case 2:
      return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
      return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default:
      return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
             (byte(3) & 0x3F);
  }
}

}  // namespace

FakePlatform::FakePlatform(std::string run_directory) : run_directory_(std::move(run_directory)) {}

FakePlatform::~FakePlatform() = default;

template <class Result>
Result FakePlatform::WithSource(EventSource source, const std::function<Result()>& call) {
  sources_.push_back(source);
  struct Pop {
    std::vector<EventSource>& sources;
    ~Pop() { sources.pop_back(); }
  } pop{sources_};
  return call();
}

std::optional<int32_t> FakePlatform::LoadWindow(const WindowDefinition& definition,
                                                WindowEvents& events) {
  if (fail_window_loads) return std::nullopt;
  auto window = std::make_unique<Window>();
  Window& w = *window;
  w.id = next_window_id_++;
  w.definition = &definition;
  w.events = &events;
  w.client_width = definition.outer_width - kFrameWidth;
  w.client_height = definition.outer_height - kFrameHeight;
  w.menu_disabled.resize(definition.menu.size());
  for (std::size_t i = 0; i < definition.menu.size(); ++i) {
    w.menu_disabled[i] = definition.menu[i].disabled;
  }
  for (const ComponentDefinition& c : definition.components) {
    const int32_t id = w.next_component_id++;
    const ComponentRef ref{w.id, id};
    const OperationLog to_log = [this, ref](const std::string& what) {
      log.push_back(RefText(ref) + " " + what);
    };
    // Every fake derives from Placed<>, which keeps the place, the shown
    // state and the log.
    const auto placed = [&]<class Fake, class... Args>(std::type_identity<Fake>, Args&&... args) {
      auto fake = std::make_unique<Fake>(std::forward<Args>(args)...);
      fake->place = c.place;
      if (c.dock == Dock::kTop) fake->place = {0, 0, w.client_width, c.place.height};
      if (c.dock == Dock::kBottom) {
        fake->place = {0, w.client_height - kStatusBarHeight, w.client_width, kStatusBarHeight};
      }
      fake->shown = c.visible;
      fake->log = to_log;
      return fake;
    };
    std::unique_ptr<Component> made;
    switch (c.kind) {
      case ComponentKind::kTabStrip: {
        auto strip = placed(std::type_identity<FakeTabStrip>{}, c.tabs);
        WindowEvents* handlers = &events;
        const std::string name = c.name;
        strip->model.set_current_tab_changed_handler([this, ref, handlers, name] {
          WithSource<void>({ref, ComponentKind::kTabStrip},
                           [&] { handlers->OnCurrentTabChanged(name); });
        });
        strip->model.set_tab_right_clicked_handler([this, ref, handlers, name](int index) {
          WithSource<void>({ref, ComponentKind::kTabStrip},
                           [&] { handlers->OnTabRightClicked(name, index); });
        });
        made = std::move(strip);
        break;
      }
      case ComponentKind::kStatusBar: {
        auto bar = placed(std::type_identity<FakeStatusBar>{});
        for (const auto& part : c.parts) bar->parts.push_back(part.text);
        made = std::move(bar);
        break;
      }
      case ComponentKind::kWebView: {
        auto view = placed(std::type_identity<FakeWebView>{});
        view->font_size = c.font_size;
        made = std::move(view);
        break;
      }
      case ComponentKind::kEditBox: {
        auto edit = placed(std::type_identity<FakeEditBox>{});
        edit->text_ = c.text;
        made = std::move(edit);
        break;
      }
      case ComponentKind::kToolbar: {
        auto bar = placed(std::type_identity<FakeToolbar>{});
        for (const auto& button : c.buttons) {
          bar->states.push_back(button.disabled ? unsigned{kButtonDisabled} : 0u);
        }
        made = std::move(bar);
        break;
      }
      default: {
        auto label = placed(std::type_identity<FakeLabel>{});
        label->text = c.text;
        made = std::move(label);
        break;
      }
    }
    w.components[id] = std::move(made);
    w.kinds[id] = c.kind;
    w.names[id] = c.name;
    w.stacking.push_back(id);
  }
  const int32_t id = w.id;
  windows_[id] = std::move(window);
  if (main_window_ == 0) main_window_ = id;
  created_windows.push_back(definition.name);

  ActionScope scope(*this);
  const EventSource source{{id, 0}, ComponentKind::kWindow};
  WithSource<void>(source, [&] { events.OnCreated(id); });
  if (WindowExists(id)) WithSource<void>(source, [&] { events.OnSizeChanged(id); });
  return id;
}

void FakePlatform::RunModal(const WindowDefinition& definition, WindowEvents& events) {
  std::map<int32_t, bool> was_enabled;
  for (auto& [id, window] : windows_) {
    was_enabled[id] = window->enabled;
    window->enabled = false;
  }
  const std::optional<int32_t> id = LoadWindow(definition, events);
  if (id) {
    modal_windows.push_back(*id);
    if (on_modal) {
      ActionScope scope(*this);
      on_modal(*id);
    }
    RunPosted();
    if (WindowExists(*id)) {
      ++modal_windows_left_open;
      Destroy(*id);
    }
  }
  for (auto& [window_id, enabled] : was_enabled) {
    if (Window* w = FindWindow(window_id)) w->enabled = enabled;
  }
}

void FakePlatform::CloseWindow(int32_t window_id) {
  Post([this, window_id] {
    if (WindowExists(window_id)) Destroy(window_id);
  });
}

void FakePlatform::RunMessageLoop() {
  if (on_message_loop) {
    ActionScope scope(*this);
    on_message_loop();
  }
  RunPosted();
  while (!windows_.empty()) Destroy(windows_.begin()->first);
}

std::optional<ComponentRef> FakePlatform::FindComponent(int32_t window_id, std::string_view name) {
  Window* w = FindWindow(window_id);
  if (w == nullptr) return std::nullopt;
  for (const auto& [id, component_name] : w->names) {
    if (component_name == name && w->components.count(id)) {
      // Copies share their template's name; the template was made first.
      return ComponentRef{window_id, id};
    }
  }
  return std::nullopt;
}

std::optional<ComponentRef> FakePlatform::CopyComponent(ComponentRef template_ref) {
  Window* w = FindWindow(template_ref.window_id);
  auto* model = dynamic_cast<FakeWebView*>(GetComponent(template_ref));
  if (w == nullptr || model == nullptr) return std::nullopt;
  if (fail_copies > 0) {
    --fail_copies;
    log.push_back(RefText(template_ref) + " copy failed");
    return std::nullopt;
  }
  const int32_t id = w->next_component_id++;
  const ComponentRef ref{w->id, id};
  auto copy = std::make_unique<FakeWebView>();
  copy->place = model->place;
  copy->font_size = model->font_size;
  copy->shown = false;
  copy->log = [this, ref](const std::string& what) { log.push_back(RefText(ref) + " " + what); };
  if (navigation_event_inside_url_write) {
    copy->on_url_write = [this, ref](const std::string& address) {
      RaiseBeforeNavigate(ref, address);
    };
  }
  w->components[id] = std::move(copy);
  w->kinds[id] = ComponentKind::kWebView;
  w->names[id] = w->names[template_ref.component_id];
  const auto at = std::find(w->stacking.begin(), w->stacking.end(), template_ref.component_id);
  w->stacking.insert(at, id);
  log.push_back(RefText(ref) + " copied");
  copies.push_back(ref);
  return ref;
}

void FakePlatform::DestroyComponent(ComponentRef ref) {
  Window* w = FindWindow(ref.window_id);
  if (w == nullptr || !w->components.count(ref.component_id)) return;
  w->components.erase(ref.component_id);
  w->kinds.erase(ref.component_id);
  w->names.erase(ref.component_id);
  std::erase(w->stacking, ref.component_id);
  log.push_back(RefText(ref) + " destroyed");
}

void FakePlatform::BringToTop(ComponentRef ref) {
  Window* w = FindWindow(ref.window_id);
  if (w == nullptr || !w->components.count(ref.component_id)) return;
  std::erase(w->stacking, ref.component_id);
  w->stacking.push_back(ref.component_id);
  log.push_back(RefText(ref) + " to top");
}

int FakePlatform::ClientWidth(int32_t window_id) {
  Window* w = FindWindow(window_id);
  return w ? w->client_width : 0;
}

EventSource FakePlatform::CurrentEventSource() {
  if (sources_.empty()) return {{main_window_, 0}, ComponentKind::kWindow};
  return sources_.back();
}

Component* FakePlatform::GetComponent(ComponentRef ref) {
  Window* w = FindWindow(ref.window_id);
  if (w == nullptr) return nullptr;
  const auto found = w->components.find(ref.component_id);
  return found == w->components.end() ? nullptr : found->second.get();
}

WebView* FakePlatform::GetWebView(ComponentRef ref) {
  return dynamic_cast<WebView*>(GetComponent(ref));
}

TabStrip* FakePlatform::GetTabStrip(ComponentRef ref) {
  auto* strip = dynamic_cast<FakeTabStrip*>(GetComponent(ref));
  return strip ? &strip->model : nullptr;
}

EditBox* FakePlatform::GetEditBox(ComponentRef ref) {
  return dynamic_cast<EditBox*>(GetComponent(ref));
}

StatusBar* FakePlatform::GetStatusBar(ComponentRef ref) {
  return dynamic_cast<StatusBar*>(GetComponent(ref));
}

Toolbar* FakePlatform::GetToolbar(ComponentRef ref) {
  return dynamic_cast<Toolbar*>(GetComponent(ref));
}

void FakePlatform::SetMenuItemDisabled(int32_t window_id, int item, bool disabled) {
  Window* w = FindWindow(window_id);
  if (w == nullptr || item < 0 || item >= static_cast<int>(w->menu_disabled.size())) return;
  w->menu_disabled[static_cast<std::size_t>(item)] = disabled;
}

bool FakePlatform::MenuItemDisabled(int32_t window_id, int item) {
  Window* w = FindWindow(window_id);
  if (w == nullptr || item < 0 || item >= static_cast<int>(w->menu_disabled.size())) return false;
  return w->menu_disabled[static_cast<std::size_t>(item)];
}

void FakePlatform::PopupMenu(int32_t window_id, int menu, Point screen_point) {
  const PopupRecord record{window_id, menu, screen_point};
  popups.push_back(record);
  log.push_back("popup " + std::to_string(menu));
  const std::optional<int> chosen = on_popup ? on_popup(record) : std::nullopt;
  if (!chosen) return;
  Post([this, window_id, item = *chosen] {
    if (WindowEvents* events = EventsOf(window_id)) {
      ActionScope scope(*this);
      events->OnMenuItemSelected(item);
    }
  });
}

void FakePlatform::ShowMessageBox(const MessageBoxRequest& request) {
  message_boxes.push_back(request);
  log.push_back("message " + request.text);
  if (on_message_box) on_message_box(request);
}

void FakePlatform::AddExitRoutine(std::function<void()> routine) {
  exit_routines_.push_back(std::move(routine));
}

void FakePlatform::Exit(int code) {
  exit_code = code;
  const auto routines = std::move(exit_routines_);
  exit_routines_.clear();
  for (const auto& routine : routines) routine();
  exit_routines_ran = !routines.empty();
  throw ProcessExit{code};
}

void FakePlatform::TypeText(int32_t window_id, const std::string& component,
                            const std::string& text) {
  ActionScope scope(*this);
  const ComponentRef ref = Ref(window_id, component);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLengthAt(text, pos);
    const std::string character = text.substr(pos, length);
    WithSource<void>({ref, ComponentKind::kEditBox},
                     [&] { EventsOf(window_id)->OnCharInput(component, DecodeChar(character)); });
    Edit(window_id, component).text_ += character;
    pos += length;
  }
}

void FakePlatform::PressEnter(int32_t window_id, const std::string& component) {
  ActionScope scope(*this);
  const ComponentRef ref = Ref(window_id, component);
  WithSource<void>({ref, ComponentKind::kEditBox},
                   [&] { EventsOf(window_id)->OnCharInput(component, 13); });
}

void FakePlatform::ClickTab(int index) {
  ActionScope scope(*this);
  Tabs().SetCurrentTab(index);
}

void FakePlatform::RightClickTab(int index) {
  ActionScope scope(*this);
  Tabs().RightClickTab(index);
}

void FakePlatform::SelectMenuItem(int32_t window_id, int item) {
  ActionScope scope(*this);
  if (WindowEvents* events = EventsOf(window_id)) events->OnMenuItemSelected(item);
}

void FakePlatform::SelectMenuItem(int32_t window_id, const std::string& caption) {
  Window* w = FindWindow(window_id);
  if (w == nullptr) throw std::logic_error("no window " + std::to_string(window_id));
  const int item = FindMenuItem(*w->definition, caption);
  if (item < 0) throw std::logic_error("no menu item " + caption);
  SelectMenuItem(window_id, item);
}

namespace {

// The name of the first component of `kind` in `definition`.
std::string NameOfKind(const WindowDefinition& definition, ComponentKind kind) {
  for (const auto& c : definition.components) {
    if (c.kind == kind) return c.name;
  }
  throw std::logic_error("the window has no component of that kind");
}

}  // namespace

void FakePlatform::ClickToolbarButton(int index) {
  ActionScope scope(*this);
  if (ToolbarOf().ButtonState(index) & kButtonDisabled) return;
  Window& w = MainWindow();
  w.events->OnToolbarButtonClicked(NameOfKind(*w.definition, ComponentKind::kToolbar), index);
}

void FakePlatform::ClickToolbarArrow(int index) {
  ActionScope scope(*this);
  if (ToolbarOf().ButtonState(index) & kButtonDisabled) return;
  Window& w = MainWindow();
  // Buttons are 24 pixels wide; the window's client area starts at 100, 100 on the screen.
  const Point below{100 + 24 * index, 100 + ToolbarOf().height() + 2};
  w.events->OnToolbarDropDown(NameOfKind(*w.definition, ComponentKind::kToolbar), index, below);
}

void FakePlatform::ClickButton(int32_t window_id, const std::string& component) {
  ActionScope scope(*this);
  const ComponentRef ref = Ref(window_id, component);
  WithSource<void>({ref, ComponentKind::kButton},
                   [&] { EventsOf(window_id)->OnButtonClicked(component); });
}

void FakePlatform::CloseByUser(int32_t window_id) {
  ActionScope scope(*this);
  if (WindowExists(window_id)) Destroy(window_id);
}

void FakePlatform::ResizeClient(int32_t window_id, int width, int height) {
  ActionScope scope(*this);
  Window* w = FindWindow(window_id);
  if (w == nullptr) return;
  w->client_width = width;
  w->client_height = height;
  for (const ComponentDefinition& c : w->definition->components) {
    if (c.dock == Dock::kNone) continue;
    auto* placed = GetComponent(Ref(window_id, c.name));
    if (auto* bar = dynamic_cast<FakeToolbar*>(placed)) bar->place.width = width;
    if (auto* bar = dynamic_cast<FakeStatusBar*>(placed)) {
      bar->place = {0, height - kStatusBarHeight, width, kStatusBarHeight};
    }
  }
  WithSource<void>({{window_id, 0}, ComponentKind::kWindow},
                   [&] { w->events->OnSizeChanged(window_id); });
}

void FakePlatform::FailNextInsertTab() {
  TabStrip& tabs = Tabs();
  std::size_t run_time = 0;
  for (int i = 0; i < tabs.TabCount(); ++i) {
    if (tabs.tab(i).origin == TabStrip::Origin::kRunTime) ++run_time;
  }
  tabs.set_capacity(run_time);
}

EventSource FakePlatform::SourceFor(ComponentRef page) {
  if (forged_source_) {
    const EventSource forged = *forged_source_;
    forged_source_.reset();
    return forged;
  }
  return {page, ComponentKind::kWebView};
}

HandlerResult FakePlatform::RaiseBeforeNavigate(ComponentRef page, const std::string& address) {
  ActionScope scope(*this);
  Page(page).event_url = address;
  const HandlerResult result = WithSource<HandlerResult>(SourceFor(page), [&] {
    return EventsOf(page.window_id)->OnBeforeNavigate(TemplateName(page));
  });
  if (auto* view = dynamic_cast<FakeWebView*>(GetComponent(page))) {
    view->event_url.reset();
    if (result != false) view->current_url = address;
  }
  return result;
}

void FakePlatform::RaiseProgress(ComponentRef page, int percent) {
  ActionScope scope(*this);
  WithSource<void>(SourceFor(page), [&] {
    EventsOf(page.window_id)->OnProgressChange(TemplateName(page), percent);
  });
}

void FakePlatform::RaiseDocumentComplete(ComponentRef page, const std::string& address) {
  ActionScope scope(*this);
  Page(page).event_url = address;
  Page(page).current_url = address;
  WithSource<void>(SourceFor(page),
                   [&] { EventsOf(page.window_id)->OnDocumentComplete(TemplateName(page)); });
  if (auto* view = dynamic_cast<FakeWebView*>(GetComponent(page))) view->event_url.reset();
}

void FakePlatform::RaiseStatusText(ComponentRef page, const std::string& text) {
  ActionScope scope(*this);
  Page(page).status_text = text;
  WithSource<void>(SourceFor(page),
                   [&] { EventsOf(page.window_id)->OnStatusTextChange(TemplateName(page)); });
}

void FakePlatform::RaiseTitle(ComponentRef page, const std::string& title) {
  ActionScope scope(*this);
  Page(page).event_caption = title;
  Page(page).title = title;
  WithSource<void>(SourceFor(page),
                   [&] { EventsOf(page.window_id)->OnTitleChange(TemplateName(page)); });
  if (auto* view = dynamic_cast<FakeWebView*>(GetComponent(page))) view->event_caption.reset();
}

void FakePlatform::RaiseCommandState(ComponentRef page, int command, bool enabled) {
  ActionScope scope(*this);
  if (command == kNavigateBack) Page(page).can_go_back = enabled;
  if (command == kNavigateForward) Page(page).can_go_forward = enabled;
  WithSource<void>(SourceFor(page), [&] {
    EventsOf(page.window_id)->OnCommandStateChange(TemplateName(page), command, enabled);
  });
}

HandlerResult FakePlatform::RaiseNewWindow(ComponentRef page, const std::string& address) {
  ActionScope scope(*this);
  Page(page).event_status_text = address;
  const HandlerResult result = WithSource<HandlerResult>(
      SourceFor(page), [&] { return EventsOf(page.window_id)->OnNewWindow(TemplateName(page)); });
  if (auto* view = dynamic_cast<FakeWebView*>(GetComponent(page))) view->event_status_text.reset();
  return result;
}

bool FakePlatform::WindowEnabled(int32_t window_id) const {
  Window* w = FindWindow(window_id);
  return w != nullptr && w->enabled;
}

ComponentRef FakePlatform::Ref(int32_t window_id, const std::string& name) {
  const std::optional<ComponentRef> ref = FindComponent(window_id, name);
  if (!ref) throw std::logic_error("no component " + name);
  return *ref;
}

FakeWebView& FakePlatform::Page(ComponentRef ref) {
  auto* view = dynamic_cast<FakeWebView*>(GetComponent(ref));
  if (view == nullptr) throw std::logic_error("no web view " + RefText(ref));
  return *view;
}

TabStrip& FakePlatform::Tabs() {
  Window& w = MainWindow();
  return *GetTabStrip(Ref(w.id, NameOfKind(*w.definition, ComponentKind::kTabStrip)));
}

FakeEditBox& FakePlatform::AddressBox() {
  Window& w = MainWindow();
  return Edit(w.id, NameOfKind(*w.definition, ComponentKind::kEditBox));
}

FakeStatusBar& FakePlatform::StatusBarOf() {
  Window& w = MainWindow();
  return dynamic_cast<FakeStatusBar&>(
      *GetComponent(Ref(w.id, NameOfKind(*w.definition, ComponentKind::kStatusBar))));
}

FakeToolbar& FakePlatform::ToolbarOf() {
  Window& w = MainWindow();
  return dynamic_cast<FakeToolbar&>(
      *GetComponent(Ref(w.id, NameOfKind(*w.definition, ComponentKind::kToolbar))));
}

FakeEditBox& FakePlatform::Edit(int32_t window_id, const std::string& name) {
  return dynamic_cast<FakeEditBox&>(*GetComponent(Ref(window_id, name)));
}

std::vector<ComponentRef> FakePlatform::Stacking(int32_t window_id) const {
  std::vector<ComponentRef> pages;
  Window* w = FindWindow(window_id);
  if (w == nullptr) return pages;
  for (const int32_t id : w->stacking) {
    if (w->kinds.at(id) == ComponentKind::kWebView) pages.push_back({window_id, id});
  }
  return pages;
}

std::optional<ComponentRef> FakePlatform::FrontPage(int32_t window_id) const {
  Window* w = FindWindow(window_id);
  if (w == nullptr) return std::nullopt;
  for (auto it = w->stacking.rbegin(); it != w->stacking.rend(); ++it) {
    if (w->kinds.at(*it) != ComponentKind::kWebView) continue;
    if (w->components.at(*it)->visible()) return ComponentRef{window_id, *it};
  }
  return std::nullopt;
}

int FakePlatform::ClientHeight(int32_t window_id) const {
  Window* w = FindWindow(window_id);
  return w ? w->client_height : 0;
}

FakePlatform::Window* FakePlatform::FindWindow(int32_t window_id) const {
  const auto found = windows_.find(window_id);
  return found == windows_.end() ? nullptr : found->second.get();
}

FakePlatform::Window& FakePlatform::MainWindow() const {
  Window* w = FindWindow(main_window_);
  if (w == nullptr) throw std::logic_error("the main window is gone");
  return *w;
}

void FakePlatform::Destroy(int32_t window_id) {
  const auto found = windows_.find(window_id);
  if (found == windows_.end()) return;
  WindowEvents* events = found->second->events;
  windows_.erase(found);
  events->OnDestroyed(window_id);
}

void FakePlatform::RunPosted() {
  while (!posted_.empty()) {
    auto task = std::move(posted_.front());
    posted_.pop_front();
    task();
  }
}

WindowEvents* FakePlatform::EventsOf(int32_t window_id) const {
  Window* w = FindWindow(window_id);
  return w ? w->events : nullptr;
}

std::string FakePlatform::TemplateName(ComponentRef page) const {
  Window* w = FindWindow(page.window_id);
  if (w == nullptr) throw std::logic_error("no window for " + RefText(page));
  const auto found = w->names.find(page.component_id);
  if (found == w->names.end()) throw std::logic_error("no component " + RefText(page));
  return found->second;
}

}  // namespace tavern::fake
