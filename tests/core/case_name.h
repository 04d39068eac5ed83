#pragma once

#include <string>

namespace tavern {

// Names a parameterised test after its case's `name` field.
struct CaseName {
  template <class Info>
  std::string operator()(const Info& test) const {
    return test.param.name;
  }
};

}  // namespace tavern
