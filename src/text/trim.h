#pragma once

#include <string_view>

namespace tavern {

// `text` without ASCII spaces and full-width spaces (U+3000) at either end.
// Tabs, line breaks and other characters stay.
std::string_view TrimSpaces(std::string_view text);

}  // namespace tavern
