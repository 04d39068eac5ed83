#pragma once

#include <string>

#include "components/component_ref.h"
#include "components/window_events.h"
#include "gtk/event_router.h"

namespace tavern::gtk {

// What a component needs to raise its events: the window's handlers, the
// component's name in the definition (its template's for a copy) and its
// own identity as the event source.
struct ComponentContext {
  EventRouter* router = nullptr;
  WindowEvents* events = nullptr;
  std::string name;
  EventSource source;

  // Calls `raise` with the window's handlers while the component is the
  // current event source; gives what `raise` gives.
  template <class Handler>
  auto Raise(Handler&& raise) const {
    EventRouter::Scope scope(*router, source);
    return raise(*events);
  }
};

}  // namespace tavern::gtk
