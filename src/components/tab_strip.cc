#include "components/tab_strip.h"

#include <utility>

namespace tavern {

TabStrip::TabStrip(std::vector<std::string> form_captions, int current, std::size_t capacity)
    : current_(current), capacity_(capacity) {
  for (auto& caption : form_captions) {
    tabs_.push_back(Tab{std::move(caption), false, Origin::kForm});
  }
}

int TabStrip::InsertTab(std::string_view caption) {
  if (run_time_tabs_ >= capacity_) return -1;
  tabs_.push_back(Tab{std::string(caption), false, Origin::kRunTime});
  ++run_time_tabs_;
  NotifyChanged();
  return TabCount() - 1;
}

bool TabStrip::DeleteTab(int index) {
  if (index < 0 || index >= TabCount()) return false;
  if (tab(index).origin == Origin::kForm) return false;
  if (!AnotherTabCanBeCurrent(index)) return false;

  tabs_.erase(tabs_.begin() + index);
  --run_time_tabs_;
  const int before = current_;
  if (index < current_) {
    current_ = before - 1;
  } else if (!CanBeCurrent(current_)) {
    current_ = LowestTabThatCanBeCurrent();
  }
  NotifyChanged();
  if (current_ != before && current_tab_changed_) current_tab_changed_();
  return true;
}

bool TabStrip::SetTabCaption(int index, std::string_view caption) {
  if (index < 0 || index >= TabCount()) return false;
  tabs_[static_cast<std::size_t>(index)].caption = std::string(caption);
  NotifyChanged();
  return true;
}

bool TabStrip::SetTabHidden(int index, bool hidden) {
  if (index < 0 || index >= TabCount()) return false;
  if (hidden && !AnotherTabCanBeCurrent(index)) return false;
  tabs_[static_cast<std::size_t>(index)].hidden = hidden;
  if (!CanBeCurrent(current_)) {
    MoveCurrentTo(LowestTabThatCanBeCurrent());
  } else {
    NotifyChanged();
  }
  return true;
}

void TabStrip::SetCurrentTab(int index) {
  if (!CanBeCurrent(index) || index == current_) return;
  MoveCurrentTo(index);
}

void TabStrip::RightClickTab(int index) {
  if (CanBeCurrent(index) && tab_right_clicked_) tab_right_clicked_(index);
}

bool TabStrip::CanBeCurrent(int index) const {
  return index >= 0 && index < TabCount() && !tab(index).hidden;
}

void TabStrip::set_current_tab_changed_handler(std::function<void()> handler) {
  current_tab_changed_ = std::move(handler);
}

void TabStrip::set_tab_right_clicked_handler(std::function<void(int)> handler) {
  tab_right_clicked_ = std::move(handler);
}

void TabStrip::set_changed_observer(std::function<void()> observer) {
  changed_ = std::move(observer);
}

bool TabStrip::AnotherTabCanBeCurrent(int index) const {
  for (int i = 0; i < TabCount(); ++i) {
    if (i != index && CanBeCurrent(i)) return true;
  }
  return false;
}

int TabStrip::LowestTabThatCanBeCurrent() const {
  for (int i = 0; i < TabCount(); ++i) {
    if (CanBeCurrent(i)) return i;
  }
  return current_;
}

void TabStrip::MoveCurrentTo(int index) {
  current_ = index;
  NotifyChanged();
  if (current_tab_changed_) current_tab_changed_();
}

void TabStrip::NotifyChanged() const {
  if (changed_) changed_();
}

}  // namespace tavern
