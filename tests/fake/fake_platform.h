#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/window_platform.h"
#include "fake/fake_components.h"

namespace tavern::fake {

// Thrown by Exit: the process would end here with `code`.
struct ProcessExit {
  int code;
};

struct PopupRecord {
  int32_t window_id;
  int menu;
  Point at;
};

// A window platform in memory. It records what the program does, lets a
// test raise any event as a user or a page would, and scripts the answers
// of pop-up menus, message boxes and modal windows.
class FakePlatform : public WindowPlatform {
 public:
  // The client area the fake gives a window of the definition's outer size.
  static constexpr int kFrameWidth = 6;
  static constexpr int kFrameHeight = 50;
  static constexpr int kStatusBarHeight = 20;

  explicit FakePlatform(std::string run_directory = "/nonexistent");
  ~FakePlatform() override;

  // WindowPlatform.
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
  EventSource CurrentEventSource() override;
  Component* GetComponent(ComponentRef ref) override;
  WebView* GetWebView(ComponentRef ref) override;
  TabStrip* GetTabStrip(ComponentRef ref) override;
  EditBox* GetEditBox(ComponentRef ref) override;
  StatusBar* GetStatusBar(ComponentRef ref) override;
  Toolbar* GetToolbar(ComponentRef ref) override;
  void SetMenuItemDisabled(int32_t window_id, int item, bool disabled) override;
  bool MenuItemDisabled(int32_t window_id, int item) override;
  void PopupMenu(int32_t window_id, int menu, Point screen_point) override;
  Point PointerPosition() override { return pointer; }
  void ShowMessageBox(const MessageBoxRequest& request) override;
  void AddExitRoutine(std::function<void()> routine) override;
  void DropExitRoutines() override { exit_routines_.clear(); }
  [[noreturn]] void Exit(int code) override;
  std::string RunDirectory() override { return run_directory_; }
  int64_t NowMilliseconds() override { return now_ms; }

  // --- What a test sets up ---
  // The next this many copies fail.
  int fail_copies = 0;
  // Makes the main window fail to load.
  bool fail_window_loads = false;
  Point pointer{300, 200};
  int64_t now_ms = 1'000'000;
  // Called for each pop-up while it is open; gives the chosen item, if any.
  std::function<std::optional<int>(const PopupRecord&)> on_popup;
  // Called while a message box is open.
  std::function<void(const MessageBoxRequest&)> on_message_box;
  // Called while a modal window runs its loop, with its id.
  std::function<void(int32_t)> on_modal;
  // Called by RunMessageLoop: the user's session. Afterwards every window
  // still open is closed by the user.
  std::function<void()> on_message_loop;
  // When set, a page's url write raises its navigation-starting event inside it.
  bool navigation_event_inside_url_write = false;

  // --- What a test does, as a user or a page ---
  void TypeText(int32_t window_id, const std::string& component, const std::string& text);
  void PressEnter(int32_t window_id, const std::string& component);
  void ClickTab(int index);
  void RightClickTab(int index);
  // A right click over the part of the strip that holds no tab.
  void RightClickEmptyStripPart() {}
  void SelectMenuItem(int32_t window_id, int item);
  void SelectMenuItem(int32_t window_id, const std::string& caption);
  void ClickToolbarButton(int index);
  void ClickToolbarArrow(int index);
  void ClickButton(int32_t window_id, const std::string& component);
  void PressEscape(int32_t window_id) { CloseByUser(window_id); }
  void CloseByUser(int32_t window_id);
  void ResizeClient(int32_t window_id, int width, int height);
  // Makes the next InsertTab of the main window's tab strip fail.
  void FailNextInsertTab();

  HandlerResult RaiseBeforeNavigate(ComponentRef page, const std::string& address);
  void RaiseProgress(ComponentRef page, int percent);
  void RaiseDocumentComplete(ComponentRef page, const std::string& address);
  void RaiseStatusText(ComponentRef page, const std::string& text);
  void RaiseTitle(ComponentRef page, const std::string& title);
  void RaiseCommandState(ComponentRef page, int command, bool enabled);
  HandlerResult RaiseNewWindow(ComponentRef page, const std::string& address);
  // Raises the next web view event as if `source` had raised it.
  void ForgeNextEventSource(EventSource source) { forged_source_ = source; }

  // --- What a test reads ---
  int32_t main_window() const { return main_window_; }
  bool WindowExists(int32_t window_id) const { return windows_.count(window_id) != 0; }
  bool WindowEnabled(int32_t window_id) const;
  ComponentRef Ref(int32_t window_id, const std::string& name);
  FakeWebView& Page(ComponentRef ref);
  TabStrip& Tabs();
  FakeEditBox& AddressBox();
  FakeStatusBar& StatusBarOf();
  FakeToolbar& ToolbarOf();
  FakeEditBox& Edit(int32_t window_id, const std::string& name);
  // The web views of a window back to front, the template included.
  std::vector<ComponentRef> Stacking(int32_t window_id) const;
  // The front-most shown web view: the page the user sees.
  std::optional<ComponentRef> FrontPage(int32_t window_id) const;
  int ClientHeight(int32_t window_id) const;
  // Every call the program made on components, in order ("url 1:5 http://...").
  std::vector<std::string> log;
  std::vector<MessageBoxRequest> message_boxes;
  std::vector<PopupRecord> popups;
  std::vector<int32_t> modal_windows;
  // Modal windows the test left open, which the fake then closed itself.
  int modal_windows_left_open = 0;
  std::vector<std::string> created_windows;
  // Every run-time copy made, in order.
  std::vector<ComponentRef> copies;
  std::optional<int> exit_code;
  bool exit_routines_ran = false;

 private:
  struct Window;
  class ActionScope;

  Window* FindWindow(int32_t window_id) const;
  Window& MainWindow() const;
  void Destroy(int32_t window_id);
  void Post(std::function<void()> task) { posted_.push_back(std::move(task)); }
  void RunPosted();
  EventSource SourceFor(ComponentRef page);
  template <class Result>
  Result WithSource(EventSource source, const std::function<Result()>& call);
  WindowEvents* EventsOf(int32_t window_id) const;
  std::string TemplateName(ComponentRef page) const;

  std::string run_directory_;
  std::map<int32_t, std::unique_ptr<Window>> windows_;
  int32_t next_window_id_ = 1;
  int32_t main_window_ = 0;
  std::vector<std::function<void()>> exit_routines_;
  std::vector<EventSource> sources_;
  std::optional<EventSource> forged_source_;
  std::deque<std::function<void()>> posted_;
  int action_depth_ = 0;
};

}  // namespace tavern::fake
