#pragma once

#include <string>
#include <string_view>

#include "gtk/placement.h"

namespace tavern::gtk {

// The placed-component properties of `Interface` (a tavern::Component or one
// of its kinds), kept by a Placement.
template <class Interface>
class Placed : public Interface {
 public:
  int left() const override { return placement_.rect().left; }
  int top() const override { return placement_.rect().top; }
  int width() const override { return placement_.rect().width; }
  int height() const override { return placement_.rect().height; }
  void set_width(int width) override { placement_.set_width(width); }
  void set_height(int height) override { placement_.set_height(height); }
  bool visible() const override { return placement_.visible(); }
  void set_visible(bool visible) override { placement_.set_visible(visible); }
  std::string tag() const override { return placement_.tag(); }
  void set_tag(std::string_view tag) override { placement_.set_tag(tag); }

  Placement& placement() { return placement_; }
  const Placement& placement() const { return placement_; }

 protected:
  Placed(ClientArea& area, Rect place, Dock dock, bool visible)
      : placement_(area, place, dock, visible) {}

  Placement placement_;
};

}  // namespace tavern::gtk
