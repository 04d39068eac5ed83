#pragma once

#include <string>
#include <string_view>

#include "components/component.h"

namespace tavern {

// A single-line edit box. Typed characters raise the window's character
// input event before they reach the box.
class EditBox : public Component {
 public:
  virtual std::string text() const = 0;
  // Replaces the whole text; raises no character event.
  virtual void set_text(std::string_view text) = 0;
};

}  // namespace tavern
