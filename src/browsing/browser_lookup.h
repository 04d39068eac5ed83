#pragma once

#include "browsing/browser_window.h"

namespace tavern {

// Element k of the browser list; fatal error 4 below 1, 1 above the count.
ComponentRef BrowserBoxAt(BrowserWindow& window, int k);
// The browser box of the current tab, with the checks of BrowserBoxAt.
ComponentRef CurrentBrowserBox(BrowserWindow& window);
// The current tab's web view; the list must not be empty.
WebView& CurrentWebView(BrowserWindow& window);
// Whether `page` is the page the user sees: the current tab's, or the one
// being opened (which is about to become current).
bool IsShownPage(BrowserWindow& window, ComponentRef page);

}  // namespace tavern
