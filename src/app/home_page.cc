#include "app/home_page.h"

#include "app/config_file.h"
#include "app/product.h"
#include "browsing/open_page.h"
#include "components/profile.h"
#include "text/trim.h"

namespace tavern {

void LoadHomePage(BrowserWindow& window) {
  SharedState& state = window.state();
  state.HomePage = ReadProfileString(ConfigPath(window.platform()), kHomePageSection, kHomePageKey);
  // The trim only decides whether the value counts as empty; a value that
  // does not is used exactly as read.
  if (TrimSpaces(state.HomePage).empty()) state.HomePage = kDefaultHomePage;
  ResetBrowserBoxes(window);
}

void ResetBrowserBoxes(BrowserWindow& window) {
  window.state().BrowserBoxes = BrowserList();
  OpenPage(window, window.state().HomePage);
}

void ReleaseSharedState(SharedState& state) {
  std::string().swap(state.HomePage);
  state.BrowserBoxes.Release();
}

}  // namespace tavern
