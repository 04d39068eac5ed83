#include "browsing/browser_window.h"

#include "app/main_window_definition.h"

namespace tavern {

std::optional<BrowserWindow> BrowserWindow::Bind(WindowPlatform& platform, SharedState& state,
                                                 int32_t window_id) {
  BrowserWindow window(platform, state, window_id);
  const auto find = [&](const char* name, ComponentRef& ref) {
    const std::optional<ComponentRef> found = platform.FindComponent(window_id, name);
    if (found) ref = *found;
    return found.has_value();
  };
  const bool complete =
      find(kTabStripName, window.tab_strip_) && find(kStatusBarName, window.status_bar_) &&
      find(kAddressBoxName, window.address_box_) && find(kToolbarName, window.toolbar_) &&
      find(kPageTemplateName, window.page_template_);
  if (!complete || !platform.GetTabStrip(window.tab_strip_) ||
      !platform.GetStatusBar(window.status_bar_) || !platform.GetEditBox(window.address_box_) ||
      !platform.GetToolbar(window.toolbar_) || !platform.GetWebView(window.page_template_)) {
    return std::nullopt;
  }
  return window;
}

int BrowserWindow::menu_item(const char* caption) const {
  return FindMenuItem(MainWindowDefinition(), caption);
}

}  // namespace tavern
