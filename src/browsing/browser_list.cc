#include "browsing/browser_list.h"

namespace tavern {

std::optional<int> BrowserList::IndexOf(ComponentRef box) const {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (boxes_[i] == box) return static_cast<int>(i) + 1;
  }
  return std::nullopt;
}

}  // namespace tavern
