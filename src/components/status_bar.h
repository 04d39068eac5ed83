#pragma once

#include <string>
#include <string_view>

#include "components/component.h"

namespace tavern {

// A status bar: a row of text parts, counted from 0.
class StatusBar : public Component {
 public:
  // Sets the text of part `part`; a part the bar does not have is ignored.
  virtual void SetPartText(int part, std::string_view text) = 0;
  // The text of part `part`; empty for a part the bar does not have.
  virtual std::string PartText(int part) const = 0;
};

}  // namespace tavern
