#include "browsing/open_page.h"

#include <string>

#include "app/main_window_definition.h"
#include "browsing/page_layout.h"
#include "browsing/tab_caption.h"

namespace tavern {
namespace {

constexpr int kEnter = 13;
constexpr int kBlankTab = 0;

// Marks the page being opened for as long as OpenPage runs.
class OpeningMark {
 public:
  OpeningMark(BrowserWindow& window, ComponentRef page) : window_(window) {
    window_.opening = page;
  }
  ~OpeningMark() { window_.opening.reset(); }
  OpeningMark(const OpeningMark&) = delete;
  OpeningMark& operator=(const OpeningMark&) = delete;

 private:
  BrowserWindow& window_;
};

}  // namespace

void OpenPage(BrowserWindow& window, std::string_view address) {
  WindowPlatform& platform = window.platform();
  const std::optional<ComponentRef> copy = platform.CopyComponent(window.page_template_ref());
  WebView* page = copy ? platform.GetWebView(*copy) : nullptr;
  if (page == nullptr) {
    if (copy) platform.DestroyComponent(*copy);
    ShowInformation(window, kCreateBrowserFailedMessage);
    return;
  }
  OpeningMark mark(window, *copy);
  page->set_url(address);
  FitPage(window, *page);
  page->set_visible(true);
  platform.BringToTop(*copy);

  TabStrip& tabs = window.tab_strip();
  const int index = tabs.InsertTab(address);
  if (index < 0) {
    // The strip is full: take the page back, leaving everything as it was.
    platform.DestroyComponent(*copy);
    ShowInformation(window, kCreateBrowserFailedMessage);
    return;
  }
  tabs.SetTabCaption(index, MakeTabCaption(address));
  page->set_tag(std::to_string(index));
  window.state().BrowserBoxes.Append(*copy);
  tabs.SetCurrentTab(index);
  tabs.SetTabHidden(kBlankTab, true);
}

void OpenTypedAddress(BrowserWindow& window, int character) {
  if (character != kEnter) return;
  OpenPage(window, window.address_box().text());
}

void ShowInformation(BrowserWindow& window, std::string_view text) {
  window.platform().ShowMessageBox(MessageBoxRequest{std::string(text),
                                                     std::string(kInformationCaption),
                                                     MessageIcon::kNone, /*task_modal=*/true});
}

}  // namespace tavern
