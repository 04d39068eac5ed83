#include "browsing/page_layout.h"

#include <algorithm>

#include "app/main_window_definition.h"
#include "browsing/browser_lookup.h"

namespace tavern {

void FitPage(BrowserWindow& window, Component& box) {
  box.set_width(window.platform().ClientWidth(window.window_id()) - 1);
  box.set_height(window.status_bar().top() - 10 - box.top());
}

void ShowCurrentPage(BrowserWindow& window) {
  if (window.state().BrowserBoxes.empty()) return;
  const ComponentRef box = CurrentBrowserBox(window);
  WebView& page = *window.platform().GetWebView(box);
  window.platform().BringToTop(box);
  window.address_box().set_text(page.url());
  FitPage(window, page);
  // The back and forward controls follow the page the user now sees.
  SetHistoryControl(window, kNavigateBack, page.CanGoBack());
  SetHistoryControl(window, kNavigateForward, page.CanGoForward());
}

void FitLayout(BrowserWindow& window) {
  const int client_width = window.platform().ClientWidth(window.window_id());
  window.tab_strip_place().set_width(client_width - 1);
  Component& page_template = window.page_template();
  page_template.set_width(client_width - 1);
  page_template.set_height(window.status_bar().top() - 10 - page_template.top());
  EditBox& address_box = window.address_box();
  address_box.set_width(std::max(50, client_width - 10 - address_box.left()));
  if (window.state().BrowserBoxes.empty()) return;
  FitPage(window, *window.platform().GetComponent(CurrentBrowserBox(window)));
}

void SetHistoryControl(BrowserWindow& window, int command, bool enabled) {
  int button = 0;
  const char* item = nullptr;
  if (command == kNavigateForward) {
    button = kForwardButton;
    item = kForwardMenuCaption;
  } else if (command == kNavigateBack) {
    button = kBackButton;
    item = kBackMenuCaption;
  } else {
    return;
  }
  if (enabled) {
    window.toolbar().RemoveButtonState(button, kButtonDisabled);
  } else {
    window.toolbar().AddButtonState(button, kButtonDisabled);
  }
  window.platform().SetMenuItemDisabled(window.window_id(), window.menu_item(item), !enabled);
}

}  // namespace tavern
