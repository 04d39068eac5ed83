#pragma once

#include "browsing/browser_window.h"
#include "components/window_definition.h"

namespace tavern {

// Runs web view command `code` on the current tab's page; nothing while no
// page is open.
void RunPageCommand(BrowserWindow& window, int code);
// Sets the text size of the current tab's page only; nothing while no page is open.
void SetTextSize(BrowserWindow& window, int size);
// Opens the home page loaded at start in a new tab.
void OpenHomePage(BrowserWindow& window);
// Shows the About box.
void ShowAbout(BrowserWindow& window);
// Handler of the selection of a main window menu item with `command`.
void RunMenuCommand(BrowserWindow& window, MenuCommand command);
// Handler of a click on toolbar button `index` (a drop-down's main part).
void RunToolbarButton(BrowserWindow& window, int index);
// Handler of a click on a drop-down arrow: the text sizes under the button.
void ShowTextSizeMenu(BrowserWindow& window, int index, int x, int y);

}  // namespace tavern
