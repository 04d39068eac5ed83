#include "browsing/web_view_events.h"

#include <string>

#include "app/fatal_error.h"
#include "app/main_window_definition.h"
#include "browsing/browser_lookup.h"
#include "browsing/open_page.h"
#include "browsing/page_layout.h"
#include "browsing/tab_caption.h"

namespace tavern {
namespace {

struct EventPage {
  ComponentRef ref;
  WebView* view;
};

// The web view that raised the event now being handled; any other kind of
// source is fatal error 5.
EventPage TakeEventPage(BrowserWindow& window) {
  const EventSource source = window.platform().CurrentEventSource();
  WebView* view =
      source.kind == ComponentKind::kWebView ? window.platform().GetWebView(source.ref) : nullptr;
  if (view == nullptr) FatalError(window.platform(), kKindMismatch, kKindMismatchMessage);
  return {source.ref, view};
}

void SetStatusText(BrowserWindow& window, std::string_view text) {
  window.status_bar().SetPartText(kStatusTextPart, text);
}

}  // namespace

HandlerResult OnPageBeforeNavigate(BrowserWindow& window) {
  const EventPage page = TakeEventPage(window);
  if (IsShownPage(window, page.ref)) {
    SetStatusText(window, "正在转向 “" + page.view->url() + "”");
  }
  return std::nullopt;
}

void OnPageProgressChange(BrowserWindow& window, int percent) {
  const EventPage page = TakeEventPage(window);
  if (!IsShownPage(window, page.ref)) return;
  SetStatusText(window, "已经载入 " + std::to_string(percent) + " %");
}

void OnPageDocumentComplete(BrowserWindow& window) {
  const EventPage page = TakeEventPage(window);
  if (!IsShownPage(window, page.ref)) return;
  SetStatusText(window, "准备就绪");
  window.address_box().set_text(page.view->url());
}

void OnPageStatusTextChange(BrowserWindow& window) {
  const EventPage page = TakeEventPage(window);
  if (!IsShownPage(window, page.ref)) return;
  SetStatusText(window, page.view->StatusText());
}

void OnPageTitleChange(BrowserWindow& window) {
  const EventPage page = TakeEventPage(window);
  const std::string caption = MakeTabCaption(page.view->Caption());
  // The page's tab is found from its place in the browser list, which
  // closing keeps in step with the strip, so titles land on their own tab.
  const std::optional<int> tab = window.state().BrowserBoxes.IndexOf(page.ref);
  if (tab) window.tab_strip().SetTabCaption(*tab, caption);
}

void OnPageCommandStateChange(BrowserWindow& window, int command, bool enabled) {
  const EventSource source = window.platform().CurrentEventSource();
  if (source.kind == ComponentKind::kWebView && !IsShownPage(window, source.ref)) return;
  SetHistoryControl(window, command, enabled);
}

HandlerResult OnPageNewWindow(BrowserWindow& window) {
  const EventPage page = TakeEventPage(window);
  const std::string address = page.view->StatusText();
  const bool known = window.opening == page.ref || window.state().BrowserBoxes.IndexOf(page.ref);
  if (known && window.new_windows.TryTake(page.ref, window.platform().NowMilliseconds())) {
    OpenPage(window, address);
  }
  return false;
}

}  // namespace tavern
