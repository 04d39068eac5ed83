#include "gtk/event_router.h"

#include <algorithm>

namespace tavern::gtk {

EventRouter::Scope::Scope(EventRouter& router, EventSource source) : router_(router) {
  router_.sources_.push_back(source);
}

EventRouter::Scope::~Scope() { router_.sources_.pop_back(); }

EventSource EventRouter::Current() const {
  if (sources_.empty()) return EventSource{};
  return sources_.back();
}

bool EventRouter::IsHandling(ComponentRef ref) const {
  return std::any_of(sources_.begin(), sources_.end(),
                     [&](const EventSource& source) { return source.ref == ref; });
}

bool EventRouter::IsHandlingWindow(int32_t window_id) const {
  return std::any_of(sources_.begin(), sources_.end(),
                     [&](const EventSource& source) { return source.ref.window_id == window_id; });
}

}  // namespace tavern::gtk
