#pragma once

#include "browsing/browser_window.h"

namespace tavern {

// Fits a browser box to the page area: width to the client width - 1, then
// height to the status bar's top - 10 - the box's own top.
void FitPage(BrowserWindow& window, Component& box);
// Handler of the tab strip's current-tab change: brings the current tab's
// page to the front, shows its address and its history state, and fits it.
void ShowCurrentPage(BrowserWindow& window);
// Handler of the main window's size change: fits the tab strip, the page
// template, the address box and the current page to the client area.
void FitLayout(BrowserWindow& window);
// Sets the back and forward controls (toolbar buttons and menu items).
void SetHistoryControl(BrowserWindow& window, int command, bool enabled);

}  // namespace tavern
