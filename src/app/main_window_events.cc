#include "app/main_window_events.h"

#include "app/fatal_error.h"
#include "app/home_page.h"
#include "app/main_window_definition.h"
#include "browsing/commands.h"
#include "browsing/open_page.h"
#include "browsing/page_layout.h"
#include "browsing/tab_closing.h"
#include "browsing/web_view_events.h"

namespace tavern {

void MainWindowEvents::OnCreated(int32_t window_id) {
  window_ = BrowserWindow::Bind(platform_, state_, window_id);
  if (!window_) FatalError(platform_, std::nullopt, kMainWindowLoadFailedMessage);
  LoadHomePage(*window_);
}

void MainWindowEvents::OnSizeChanged(int32_t /*window_id*/) {
  if (auto* w = window()) FitLayout(*w);
}

void MainWindowEvents::OnDestroyed(int32_t /*window_id*/) { window_.reset(); }

void MainWindowEvents::OnCharInput(const std::string& component, int character) {
  if (auto* w = window(); w && component == kAddressBoxName) OpenTypedAddress(*w, character);
}

void MainWindowEvents::OnCurrentTabChanged(const std::string& component) {
  if (auto* w = window(); w && component == kTabStripName) ShowCurrentPage(*w);
}

void MainWindowEvents::OnTabRightClicked(const std::string& component, int index) {
  if (auto* w = window(); w && component == kTabStripName) ShowTabMenu(*w, index);
}

void MainWindowEvents::OnToolbarButtonClicked(const std::string& component, int index) {
  if (auto* w = window(); w && component == kToolbarName) RunToolbarButton(*w, index);
}

void MainWindowEvents::OnToolbarDropDown(const std::string& component, int index, Point below) {
  if (auto* w = window(); w && component == kToolbarName) {
    ShowTextSizeMenu(*w, index, below.x, below.y);
  }
}

void MainWindowEvents::OnMenuItemSelected(int item) {
  const auto& menu = MainWindowDefinition().menu;
  if (item < 0 || item >= static_cast<int>(menu.size())) return;
  if (auto* w = window()) RunMenuCommand(*w, menu[static_cast<std::size_t>(item)].command);
}

HandlerResult MainWindowEvents::OnBeforeNavigate(const std::string& component) {
  if (auto* w = window(); w && component == kPageTemplateName) return OnPageBeforeNavigate(*w);
  return std::nullopt;
}

void MainWindowEvents::OnProgressChange(const std::string& component, int percent) {
  if (auto* w = window(); w && component == kPageTemplateName) OnPageProgressChange(*w, percent);
}

void MainWindowEvents::OnDocumentComplete(const std::string& component) {
  if (auto* w = window(); w && component == kPageTemplateName) OnPageDocumentComplete(*w);
}

void MainWindowEvents::OnStatusTextChange(const std::string& component) {
  if (auto* w = window(); w && component == kPageTemplateName) OnPageStatusTextChange(*w);
}

void MainWindowEvents::OnTitleChange(const std::string& component) {
  if (auto* w = window(); w && component == kPageTemplateName) OnPageTitleChange(*w);
}

void MainWindowEvents::OnCommandStateChange(const std::string& component, int command,
                                            bool enabled) {
  if (auto* w = window(); w && component == kPageTemplateName) {
    OnPageCommandStateChange(*w, command, enabled);
  }
}

HandlerResult MainWindowEvents::OnNewWindow(const std::string& component) {
  if (auto* w = window(); w && component == kPageTemplateName) return OnPageNewWindow(*w);
  return false;
}

}  // namespace tavern
