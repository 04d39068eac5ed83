#pragma once

#include <string>
#include <string_view>

namespace tavern::gtk {

// The address the engine is asked to load for `typed`, an address as the user
// typed it: spaces around it are dropped; nothing left gives "about:blank";
// an absolute local path gives its file:// URI; text without a scheme is
// taken as an http:// address ("host:port/..." counts as having none).
std::string NavigableAddress(std::string_view typed);

}  // namespace tavern::gtk
