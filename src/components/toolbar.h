#pragma once

#include "components/component.h"

namespace tavern {

// State flags of a toolbar button.
enum ToolbarButtonState : unsigned {
  kButtonDisabled = 4,
};

// A toolbar: buttons counted from 0, separators included. Clicks raise the
// window's toolbar events.
class Toolbar : public Component {
 public:
  // Adds the flags to button `index`'s state; an index out of range is ignored.
  virtual void AddButtonState(int index, unsigned flags) = 0;
  // Removes the flags from button `index`'s state; an index out of range is ignored.
  virtual void RemoveButtonState(int index, unsigned flags) = 0;
  // The state flags of button `index`; 0 for an index out of range.
  virtual unsigned ButtonState(int index) const = 0;
};

}  // namespace tavern
