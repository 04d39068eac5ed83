#pragma once

#include <optional>
#include <vector>

#include "components/component_ref.h"

namespace tavern {

// The browser boxes of the page tabs, indexed from 1: element k belongs to
// tab k of the tab strip (tab 0, the blank tab, has none).
class BrowserList {
 public:
  int size() const { return static_cast<int>(boxes_.size()); }
  bool empty() const { return boxes_.empty(); }
  // Element k, 1 <= k <= size().
  ComponentRef at(int k) const { return boxes_.at(static_cast<std::size_t>(k - 1)); }
  // The index of `box`, if the list holds it.
  std::optional<int> IndexOf(ComponentRef box) const;
  void Append(ComponentRef box) { boxes_.push_back(box); }
  // Removes element k, 1 <= k <= size(); later elements move down by one.
  void RemoveAt(int k) { boxes_.erase(boxes_.begin() + (k - 1)); }
  // Empties the list and gives its storage back.
  void Release() { std::vector<ComponentRef>().swap(boxes_); }

 private:
  std::vector<ComponentRef> boxes_;
};

}  // namespace tavern
