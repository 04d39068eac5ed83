#pragma once

#include <string>

#include "browsing/browser_list.h"

namespace tavern {

// What every handler shares for the whole run.
struct SharedState {
  // The home page address; set once by LoadHomePage.
  std::string HomePage;
  // The browser boxes of the page tabs.
  BrowserList BrowserBoxes;
};

}  // namespace tavern
