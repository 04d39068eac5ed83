#pragma once

#include "browsing/browser_window.h"

namespace tavern {

// Handler of the main window's creation: reads the home page from
// config.ini (or takes the built-in one) and opens it in the first tab.
void LoadHomePage(BrowserWindow& window);
// Starts a new, empty browser list and opens the home page in it.
void ResetBrowserBoxes(BrowserWindow& window);
// The exit routine: gives back the shared state's storage.
void ReleaseSharedState(SharedState& state);

}  // namespace tavern
