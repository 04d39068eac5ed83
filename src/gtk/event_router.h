#pragma once

#include <cstdint>
#include <vector>

#include "components/component_ref.h"

namespace tavern::gtk {

// Keeps the sources of the events being handled now. Events nest (a handler
// may run a nested loop, or cause another event inside its call), so the
// sources form a stack; the innermost is the current one.
class EventRouter {
 public:
  // Marks `source` as the current event source while it lives.
  class Scope {
   public:
    Scope(EventRouter& router, EventSource source);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    EventRouter& router_;
  };

  // The innermost source; a window-kind source with zero ids when no event
  // is being handled.
  EventSource Current() const;
  // Whether an event of `ref` is being handled, at any depth.
  bool IsHandling(ComponentRef ref) const;
  // Whether an event of any component of the window is being handled.
  bool IsHandlingWindow(int32_t window_id) const;

 private:
  std::vector<EventSource> sources_;
};

}  // namespace tavern::gtk
