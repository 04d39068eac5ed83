#include "browsing/new_window_budget.h"

namespace tavern {

bool NewWindowBudget::TryTake(ComponentRef page, int64_t now_ms) {
  constexpr int64_t kWindowMs = 1000;
  std::deque<int64_t>& times = opened_[page];
  while (!times.empty() && now_ms - times.front() >= kWindowMs) times.pop_front();
  if (static_cast<int>(times.size()) >= kNewTabsPerPagePerSecond) return false;
  times.push_back(now_ms);
  return true;
}

}  // namespace tavern
