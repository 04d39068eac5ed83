#pragma once

#include "components/component.h"
#include "components/window_definition.h"
#include "gtk/placed.h"

namespace tavern::gtk {

// A component that is never drawn (the menu look): a place and a tag only.
class PlainComponent : public Placed<Component> {
 public:
  PlainComponent(ClientArea& area, const ComponentDefinition& definition)
      : Placed(area, definition.place, definition.dock, definition.visible) {}
};

}  // namespace tavern::gtk
