#pragma once

#include <cstdint>
#include <optional>

#include "app/shared_state.h"
#include "browsing/new_window_budget.h"
#include "components/window_platform.h"

namespace tavern {

// The main window as its handlers see it: the platform, the shared state
// and the window's components.
class BrowserWindow {
 public:
  // Finds the components of main window `window_id`; nullopt if one is missing.
  static std::optional<BrowserWindow> Bind(WindowPlatform& platform, SharedState& state,
                                           int32_t window_id);

  WindowPlatform& platform() const { return *platform_; }
  SharedState& state() const { return *state_; }
  int32_t window_id() const { return window_id_; }

  TabStrip& tab_strip() const { return *platform_->GetTabStrip(tab_strip_); }
  Component& tab_strip_place() const { return *platform_->GetComponent(tab_strip_); }
  StatusBar& status_bar() const { return *platform_->GetStatusBar(status_bar_); }
  EditBox& address_box() const { return *platform_->GetEditBox(address_box_); }
  Toolbar& toolbar() const { return *platform_->GetToolbar(toolbar_); }
  Component& page_template() const { return *platform_->GetComponent(page_template_); }
  ComponentRef page_template_ref() const { return page_template_; }
  // The menu item with `caption` in the main window's definition.
  int menu_item(const char* caption) const;

  // The page that OpenPage is making right now, if any.
  std::optional<ComponentRef> opening;
  NewWindowBudget new_windows;

 private:
  BrowserWindow(WindowPlatform& platform, SharedState& state, int32_t window_id)
      : platform_(&platform), state_(&state), window_id_(window_id) {}

  WindowPlatform* platform_;
  SharedState* state_;
  int32_t window_id_;
  ComponentRef tab_strip_, status_bar_, address_box_, toolbar_, page_template_;
};

}  // namespace tavern
