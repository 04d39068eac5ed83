#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace tavern::gtk {

// Gives a page's `slot` the value one event carries while that event is
// handled, then gives the slot back its earlier value. Events nest (a handler
// may run a main loop of its own), so each keeps its value apart. When the
// page is gone by the end (`alive` false), the slot is left alone.
class EventValue {
 public:
  EventValue(std::shared_ptr<bool> alive, std::optional<std::string>& slot, std::string value)
      : alive_(std::move(alive)), slot_(slot), earlier_(std::exchange(slot, std::move(value))) {}
  ~EventValue() {
    if (*alive_) slot_ = std::move(earlier_);
  }
  EventValue(const EventValue&) = delete;
  EventValue& operator=(const EventValue&) = delete;

 private:
  std::shared_ptr<bool> alive_;
  std::optional<std::string>& slot_;
  std::optional<std::string> earlier_;
};

}  // namespace tavern::gtk
