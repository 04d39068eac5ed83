#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavern {

// The rules of a tab strip: an ordered list of tabs indexed from 0, each with
// a caption, a hidden flag and an origin, and the current tab. It holds no
// pages. Platforms draw it and feed the user's clicks into it; events are
// raised synchronously inside the operation that causes them.
class TabStrip {
 public:
  enum class Origin { kForm, kRunTime };

  struct Tab {
    std::string caption;
    bool hidden = false;
    Origin origin = Origin::kRunTime;
  };

  // More run-time tabs than this are refused by InsertTab.
  static constexpr std::size_t kDefaultCapacity = 1000;

  // A strip holding the form's tabs, shown, with `current` current.
  explicit TabStrip(std::vector<std::string> form_captions, int current = 0,
                    std::size_t capacity = kDefaultCapacity);

  // Appends a shown run-time tab and gives its index; -1 when the strip is
  // full. The current tab does not change.
  int InsertTab(std::string_view caption);
  // Removes a run-time tab; later tabs move down by one. False, changing
  // nothing, for an index out of range, a form tab, or when no other tab
  // could be current.
  bool DeleteTab(int index);
  // False when the index is out of range.
  bool SetTabCaption(int index, std::string_view caption);
  // Hides or shows a tab. False for an index out of range, and for hiding
  // when no other tab could be current; then nothing changes.
  bool SetTabHidden(int index, bool hidden);
  // The index of the current tab.
  int CurrentTab() const { return current_; }
  // Makes `index` current; an index that cannot be current changes nothing.
  void SetCurrentTab(int index);
  // Raises the right-click event for a tab that is drawn; nothing otherwise.
  void RightClickTab(int index);

  int TabCount() const { return static_cast<int>(tabs_.size()); }
  // The tab at `index`, which must be in range.
  const Tab& tab(int index) const { return tabs_.at(static_cast<std::size_t>(index)); }
  // Whether `index` names a tab that is not hidden.
  bool CanBeCurrent(int index) const;
  // Changes the most run-time tabs the strip takes from now on.
  void set_capacity(std::size_t capacity) { capacity_ = capacity; }

  // Raised whenever the current index changes.
  void set_current_tab_changed_handler(std::function<void()> handler);
  // Raised with the tab's index when the right button is released over it.
  void set_tab_right_clicked_handler(std::function<void(int)> handler);
  // For views: called after every change of tabs, captions, hidden flags or
  // the current index, before the events that change raises.
  void set_changed_observer(std::function<void()> observer);

 private:
  bool AnotherTabCanBeCurrent(int index) const;
  int LowestTabThatCanBeCurrent() const;
  void MoveCurrentTo(int index);
  void NotifyChanged() const;

  std::vector<Tab> tabs_;
  int current_ = 0;
  std::size_t capacity_;
  std::size_t run_time_tabs_ = 0;
  std::function<void()> current_tab_changed_;
  std::function<void(int)> tab_right_clicked_;
  std::function<void()> changed_;
};

}  // namespace tavern
