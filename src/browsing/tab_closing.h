#pragma once

#include "browsing/browser_window.h"

namespace tavern {

// Handler of a right click on a tab: pops up the tab menu at the pointer
// moved 3 pixels right and 3 down. The tab's index is not used: the menu's
// item acts on the current tab.
void ShowTabMenu(BrowserWindow& window, int tab_index);
// Handler of "关闭当前页": closes the current page; nothing while no page is open.
void CloseCurrentPage(BrowserWindow& window);
// Closes the page of tab k: its browser box, its list element and its tab.
// The page the user then sees is the new current tab's.
void ClosePage(BrowserWindow& window, int k);

}  // namespace tavern
