#pragma once

#include <string>
#include <string_view>

namespace tavern {

// Texts are UTF-8. Where a length matters it is counted as the text would
// take in the GBK code page: 1 byte for an ASCII character, 2 for any other.

// The GBK length of one character given as its UTF-8 bytes.
int GbkCharWidth(std::string_view utf8_char);
// The GBK length of a text.
int GbkLength(std::string_view text);
// The longest start of `text` whose GBK length is at most `max_bytes`; a
// character that would cross the limit is left out whole.
std::string_view CutToGbkLength(std::string_view text, int max_bytes);
// `text` cut to at most `bytes` and padded with spaces to exactly `bytes`.
std::string FitToGbkLength(std::string_view text, int bytes);

}  // namespace tavern
