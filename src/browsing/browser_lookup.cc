#include "browsing/browser_lookup.h"

#include "app/fatal_error.h"

namespace tavern {

ComponentRef BrowserBoxAt(BrowserWindow& window, int k) {
  const BrowserList& boxes = window.state().BrowserBoxes;
  if (k < 1) FatalError(window.platform(), kIndexBelowOne, kIndexBelowOneMessage);
  if (k > boxes.size()) FatalError(window.platform(), kIndexAboveCount, kIndexAboveCountMessage);
  return boxes.at(k);
}

ComponentRef CurrentBrowserBox(BrowserWindow& window) {
  return BrowserBoxAt(window, window.tab_strip().CurrentTab());
}

WebView& CurrentWebView(BrowserWindow& window) {
  return *window.platform().GetWebView(CurrentBrowserBox(window));
}

bool IsShownPage(BrowserWindow& window, ComponentRef page) {
  if (window.opening == page) return true;
  const BrowserList& boxes = window.state().BrowserBoxes;
  const int k = window.tab_strip().CurrentTab();
  return k >= 1 && k <= boxes.size() && boxes.at(k) == page;
}

}  // namespace tavern
