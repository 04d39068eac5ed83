#pragma once

#include <cstddef>
#include <string_view>

namespace tavern {

// Where one key of one section sits in the raw bytes of an INI file.
//
// Lines end at CR LF, LF or a lone CR. A section line is `[name]` (the name
// runs to the last `]`; blanks around the line and the name do not count); a
// key line is `key=value` inside a section; a line whose first non-blank is
// `;` is a comment. Names match without regard to ASCII case, blanks around
// them ignored; the first matching section and the first matching key in it
// win. Offsets count from the start of the bytes.
struct ProfileLocation {
  bool section_found = false;
  bool key_found = false;
  // The key's line: its start, the value with blanks trimmed, the end of the
  // value text before the line ending, and the end after it.
  std::size_t line_start = 0;
  std::size_t value_start = 0;
  std::size_t value_end = 0;
  std::size_t content_end = 0;
  std::size_t line_end = 0;
  // Where a missing key goes: after the section's last key line, or after
  // the section line when it has none.
  std::size_t insert_at = 0;
};

// The bytes of a file and how to walk its characters.
struct ProfileBytes {
  std::string_view bytes;
  // Where the lines start (after a byte-order mark).
  std::size_t text_start = 0;
  // GBK and GB18030 characters are pairs of bytes led by one from 0x81 up;
  // their second byte may look like an ASCII letter or `]`.
  bool double_byte = false;
};

// Finds `section` and `key`, both given in the file's own encoding.
ProfileLocation FindProfileKey(const ProfileBytes& file, std::string_view section,
                               std::string_view key);

// The first line ending of the text (CR LF, LF or CR), or "" when it has none.
std::string_view FirstLineEnding(std::string_view bytes);

// `text` without spaces and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tavern
