#pragma once

#include "browsing/browser_window.h"
#include "components/window_events.h"

namespace tavern {

// Handlers of the page web views' events. Each works on the web view that
// raised the event. The status bar, the address box and the back and
// forward controls follow only the page the user sees; the events of pages
// behind it leave them alone.

// 0: the status bar names the address about to be visited.
HandlerResult OnPageBeforeNavigate(BrowserWindow& window);
// 3: the status bar shows the load percentage.
void OnPageProgressChange(BrowserWindow& window, int percent);
// 5: the status bar says the page is ready, the address box shows its address.
void OnPageDocumentComplete(BrowserWindow& window);
// 6: the status bar shows the page's status text.
void OnPageStatusTextChange(BrowserWindow& window);
// 7: the page's tab shows its title in 20 bytes.
void OnPageTitleChange(BrowserWindow& window);
// 8: the back or forward controls follow the page's history.
void OnPageCommandStateChange(BrowserWindow& window, int command, bool enabled);
// 9: the requested page opens in a new tab; the engine's own window never does.
HandlerResult OnPageNewWindow(BrowserWindow& window);

}  // namespace tavern
