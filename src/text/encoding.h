#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavern {

// How a text file on disk is encoded.
enum class FileEncoding {
  kUtf8WithBom,
  kUtf8,
  kGb18030,  // a superset of GBK: every GBK file reads the same
};

// UTF-8 when the bytes start with a byte-order mark, or hold non-ASCII bytes
// that are all well-formed UTF-8; GB18030 otherwise (plain ASCII included).
FileEncoding DetectFileEncoding(std::string_view bytes);
// GB18030 bytes as UTF-8; a byte sequence that is not GB18030 becomes U+FFFD.
std::string Gb18030ToUtf8(std::string_view bytes);
// UTF-8 as GB18030 bytes; nullopt if the text is not well-formed UTF-8 or
// holds a character the system's GB18030 converter cannot write (a few
// private-use code points).
std::optional<std::string> Utf8ToGb18030(std::string_view text);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace tavern
