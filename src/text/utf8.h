#pragma once

#include <cstddef>
#include <string_view>

namespace tavern {

// Whether `bytes` is well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// The length in bytes of the character that starts at `pos`: its UTF-8
// sequence when that is well formed, else 1 (a stray byte counts alone).
std::size_t CharLengthAt(std::string_view text, std::size_t pos);

}  // namespace tavern
