#include "browsing/tab_closing.h"

#include "app/main_window_definition.h"
#include "browsing/browser_lookup.h"
#include "browsing/page_layout.h"

namespace tavern {
namespace {

constexpr int kBlankTab = 0;
constexpr int kPopupOffset = 3;

}  // namespace

void ShowTabMenu(BrowserWindow& window, int /*tab_index*/) {
  const Point pointer = window.platform().PointerPosition();
  window.platform().PopupMenu(window.window_id(), window.menu_item(kTabMenuCaption),
                              {pointer.x + kPopupOffset, pointer.y + kPopupOffset});
}

void CloseCurrentPage(BrowserWindow& window) {
  if (window.state().BrowserBoxes.empty()) return;
  ClosePage(window, window.tab_strip().CurrentTab());
}

void ClosePage(BrowserWindow& window, int k) {
  const ComponentRef box = BrowserBoxAt(window, k);
  window.platform().DestroyComponent(box);
  window.new_windows.Forget(box);
  window.state().BrowserBoxes.RemoveAt(k);
  TabStrip& tabs = window.tab_strip();
  if (!tabs.DeleteTab(k)) {
    tabs.SetTabHidden(kBlankTab, false);
    tabs.DeleteTab(k);
  }
  // When a later tab slides into the closed one's index the strip raises no
  // change; show its page all the same, so what is on screen is what the
  // strip marks as current.
  ShowCurrentPage(window);
}

}  // namespace tavern
