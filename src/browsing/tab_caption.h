#pragma once

#include <string>
#include <string_view>

namespace tavern {

// Every page tab's caption is this many GBK bytes.
inline constexpr int kTabCaptionLength = 20;

// The caption of a page tab made from `text`: its first 20 GBK bytes, or
// the text padded with spaces to 20. A character that would cross byte 20
// is left out and a space takes its place.
std::string MakeTabCaption(std::string_view text);

}  // namespace tavern
