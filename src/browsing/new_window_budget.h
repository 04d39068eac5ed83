#pragma once

#include <cstdint>
#include <deque>
#include <map>

#include "components/component_ref.h"

namespace tavern {

// How many new tabs one page may open within a second; requests beyond it
// are dropped, so a page cannot flood the tab strip.
inline constexpr int kNewTabsPerPagePerSecond = 4;

// Counts the new tabs each page has opened lately.
class NewWindowBudget {
 public:
  // Whether `page` may open a tab at `now_ms`; if so, counts it.
  bool TryTake(ComponentRef page, int64_t now_ms);
  // Forgets a page that has been closed.
  void Forget(ComponentRef page) { opened_.erase(page); }

 private:
  std::map<ComponentRef, std::deque<int64_t>> opened_;
};

}  // namespace tavern
