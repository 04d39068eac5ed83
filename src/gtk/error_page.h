#pragma once

#include <string>
#include <string_view>

namespace tavern::gtk {

// The title of the page shown in place of one that could not be opened.
inline constexpr std::string_view kErrorPageTitle = "无法打开此网页";

// The page shown in place of `address` when it could not be opened: the
// heading kErrorPageTitle, the address and `reason`, escaped as HTML text.
std::string ErrorPageHtml(std::string_view address, std::string_view reason);

// `text` with the characters that are special in HTML replaced by references.
std::string EscapeHtml(std::string_view text);

}  // namespace tavern::gtk
