#pragma once

#include <string>
#include <string_view>

namespace tavern {

// The properties every placed component has. Places are in the client area of
// the component's window, in pixels.
class Component {
 public:
  virtual ~Component() = default;

  // Distance of the left edge from the client area's left edge.
  virtual int left() const = 0;
  // Distance of the top edge from the client area's top edge.
  virtual int top() const = 0;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Changes the width; the value is taken as given, also below zero.
  virtual void set_width(int width) = 0;
  // Changes the height; the value is taken as given, also below zero.
  virtual void set_height(int height) = 0;
  // Whether the component is shown (a shown component may still be covered).
  virtual bool visible() const = 0;
  virtual void set_visible(bool visible) = 0;
  // Free text that the program may keep with the component.
  virtual std::string tag() const = 0;
  virtual void set_tag(std::string_view tag) = 0;
};

}  // namespace tavern
