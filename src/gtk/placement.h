#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <string_view>

#include "components/component_ref.h"
#include "components/window_definition.h"

namespace tavern::gtk {

class ClientArea;

// Where one component sits in its window's client area and whether it is
// shown. A docked component spans the area's width at its top or bottom
// edge; the others keep the place they are given. A component may have no
// widget (a template or a look that is never drawn): it still has a place.
class Placement {
 public:
  Placement(ClientArea& area, Rect place, Dock dock, bool visible);
  ~Placement();
  Placement(const Placement&) = delete;
  Placement& operator=(const Placement&) = delete;

  // Puts `widget` into the area at this place, shown if the component is.
  void Attach(GtkWidget* widget);
  // Takes the widget out of the area; the widget itself stays alive as long
  // as someone else holds it.
  void Detach();
  GtkWidget* widget() const { return widget_; }

  // The place in client coordinates, docking applied.
  Rect rect() const;
  void set_width(int width);
  void set_height(int height);
  bool visible() const { return visible_; }
  void set_visible(bool visible);
  const std::string& tag() const { return tag_; }
  void set_tag(std::string_view tag) { tag_ = tag; }

  // Called after the shown state changed.
  void set_visibility_observer(std::function<void()> observer);

 private:
  ClientArea& area_;
  Rect place_;
  Dock dock_;
  bool visible_;
  std::string tag_;
  GtkWidget* widget_ = nullptr;
  std::function<void()> visibility_observer_;
};

}  // namespace tavern::gtk
