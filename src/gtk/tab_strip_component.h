#pragma once

#include "components/component.h"
#include "components/tab_strip.h"
#include "components/window_definition.h"
#include "gtk/component_context.h"
#include "gtk/placed.h"
#include "gtk/tab_strip_view.h"

namespace tavern::gtk {

// The tab strip component: the TabStrip model, which raises the strip's
// events, and the view that draws it and feeds the user's clicks into it.
class TabStripComponent : public Placed<Component> {
 public:
  TabStripComponent(ClientArea& area, const ComponentDefinition& definition,
                    ComponentContext context);
  ~TabStripComponent() override;

  TabStrip& model() { return model_; }
  TabStripView& view() { return view_; }

 private:
  ComponentContext context_;
  TabStrip model_;
  TabStripView view_;
};

}  // namespace tavern::gtk
