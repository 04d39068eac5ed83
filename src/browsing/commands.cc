#include "browsing/commands.h"

#include <cstdlib>

#include "app/main_window_definition.h"
#include "app/product.h"
#include "browsing/browser_lookup.h"
#include "browsing/open_page.h"
#include "browsing/tab_closing.h"
#include "settings/settings_window.h"

namespace tavern {
namespace {

constexpr int kPopupOffset = 3;

void PopupTextSizes(BrowserWindow& window, Point at) {
  window.platform().PopupMenu(window.window_id(), window.menu_item(kTextSizeMenuCaption), at);
}

}  // namespace

void RunPageCommand(BrowserWindow& window, int code) {
  if (window.state().BrowserBoxes.empty()) return;
  CurrentWebView(window).RunCommand(code);
}

void SetTextSize(BrowserWindow& window, int size) {
  if (window.state().BrowserBoxes.empty()) return;
  CurrentWebView(window).SetFontSize(size);
}

void OpenHomePage(BrowserWindow& window) { OpenPage(window, window.state().HomePage); }

void ShowAbout(BrowserWindow& window) { ShowInformation(window, kAboutText); }

void RunMenuCommand(BrowserWindow& window, MenuCommand command) {
  switch (command) {
    case MenuCommand::kNone:
      return;
    case MenuCommand::kSaveAs:
      return RunPageCommand(window, kSaveAs);
    case MenuCommand::kPageSetup:
      return RunPageCommand(window, kPageSetup);
    case MenuCommand::kPrintPreview:
      return RunPageCommand(window, kPrintPreview);
    case MenuCommand::kPrint:
      return RunPageCommand(window, kPrint);
    case MenuCommand::kExit:
      window.platform().Exit(0);
      std::abort();  // Exit does not return
    case MenuCommand::kForward:
      return RunPageCommand(window, kGoForward);
    case MenuCommand::kBack:
      return RunPageCommand(window, kGoBack);
    case MenuCommand::kHome:
      return OpenHomePage(window);
    case MenuCommand::kHomePageSettings:
      return OpenSettingsWindow(window.platform());
    case MenuCommand::kRefresh:
      return RunPageCommand(window, kRefresh);
    case MenuCommand::kStop:
      return RunPageCommand(window, kStop);
    case MenuCommand::kTextSizeLargest:
      return SetTextSize(window, 4);
    case MenuCommand::kTextSizeLarger:
      return SetTextSize(window, 3);
    case MenuCommand::kTextSizeMedium:
      return SetTextSize(window, 2);
    case MenuCommand::kTextSizeSmaller:
      return SetTextSize(window, 1);
    case MenuCommand::kTextSizeSmallest:
      return SetTextSize(window, 0);
    case MenuCommand::kAbout:
      return ShowAbout(window);
    case MenuCommand::kCloseCurrentPage:
      return CloseCurrentPage(window);
  }
}

void RunToolbarButton(BrowserWindow& window, int index) {
  if (index == kHomeButton) return OpenHomePage(window);
  if (index == kTextSizeButton) {
    const Point pointer = window.platform().PointerPosition();
    PopupTextSizes(window, {pointer.x + kPopupOffset, pointer.y + kPopupOffset});
    // A size chosen in the pop-up is set by its own item afterwards.
    RunPageCommand(window, kRefresh);
    return;
  }
  if (window.state().BrowserBoxes.empty()) return;
  WebView& page = CurrentWebView(window);
  switch (index) {
    case kBackButton:
      return page.RunCommand(kGoBack);
    case kForwardButton:
      return page.RunCommand(kGoForward);
    case kStopButton:
      return page.RunCommand(kStop);
    case kRefreshButton:
      return page.RunCommand(kRefresh);
    case kPrintButton:
      return page.RunCommand(kPrint);
    default:
      return;
  }
}

void ShowTextSizeMenu(BrowserWindow& window, int /*index*/, int x, int y) {
  PopupTextSizes(window, {x, y});
}

}  // namespace tavern
