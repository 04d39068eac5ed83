#pragma once

#include <string>
#include <string_view>

namespace tavern {

// The longest value, in GBK bytes, that ReadProfileString gives.
inline constexpr int kMaxProfileValueLength = 10239;

// The value of `key` in `section` of the INI file at `path`, as UTF-8.
// Section and key names match without regard to ASCII case; blanks around
// names and values are ignored; a value in matching quotes loses them; the
// first matching section and key win. A missing or unreadable file, section
// or key gives an empty text. A longer value is cut to at most
// `max_length` GBK bytes, never inside a character, and it ends at a NUL byte.
// The file is read as UTF-8 or GB18030, whichever it holds.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, int max_length = kMaxProfileValueLength);

// Sets `key` in `section` of the INI file at `path` to `value` (UTF-8),
// creating the file, the section or the key as needed. Only the key's line
// changes; every other byte stays, and the file keeps its encoding (a new
// or plain ASCII file gets GBK, or UTF-8 where the GBK bytes would read as
// UTF-8). The file is replaced atomically, keeping its permissions. Gives
// false, leaving the file as it was, when it cannot be written.
// The value is written as given, so blanks around it and one pair of
// matching quotes around it do not read back. It cannot change the file's
// structure: it ends at a NUL byte, as a C string would, and each run of CR
// and LF in it becomes one space. A value or name that is not well-formed
// UTF-8, or a name the reader would not find again (empty, holding a line
// break, a key holding `=` or starting with `[` or `;`), gives false.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace tavern
