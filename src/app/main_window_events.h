#pragma once

#include <optional>

#include "app/shared_state.h"
#include "browsing/browser_window.h"
#include "components/window_events.h"
#include "components/window_platform.h"

namespace tavern {

// The handlers bound to the main window's events.
class MainWindowEvents : public WindowEvents {
 public:
  MainWindowEvents(WindowPlatform& platform, SharedState& state)
      : platform_(platform), state_(state) {}

  void OnCreated(int32_t window_id) override;
  void OnSizeChanged(int32_t window_id) override;
  void OnDestroyed(int32_t window_id) override;
  void OnCharInput(const std::string& component, int character) override;
  void OnCurrentTabChanged(const std::string& component) override;
  void OnTabRightClicked(const std::string& component, int index) override;
  void OnToolbarButtonClicked(const std::string& component, int index) override;
  void OnToolbarDropDown(const std::string& component, int index, Point below) override;
  void OnMenuItemSelected(int item) override;
  HandlerResult OnBeforeNavigate(const std::string& component) override;
  void OnProgressChange(const std::string& component, int percent) override;
  void OnDocumentComplete(const std::string& component) override;
  void OnStatusTextChange(const std::string& component) override;
  void OnTitleChange(const std::string& component) override;
  void OnCommandStateChange(const std::string& component, int command, bool enabled) override;
  HandlerResult OnNewWindow(const std::string& component) override;

 private:
  // The window's handlers' view of it, while it exists.
  BrowserWindow* window() { return window_ ? &*window_ : nullptr; }

  WindowPlatform& platform_;
  SharedState& state_;
  std::optional<BrowserWindow> window_;
};

}  // namespace tavern
