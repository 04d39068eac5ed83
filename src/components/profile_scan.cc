#include "components/profile_scan.h"

#include <algorithm>
#include <cstring>

namespace tavern {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDoubleByteLead(bool double_byte, char c) {
  return double_byte && static_cast<unsigned char>(c) >= 0x81;
}

char FoldAsciiCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether a name read from the file is `wanted`, ASCII letters matched
// without regard to case. The second byte of a double-byte character is
// compared exactly, for it may look like a letter.
bool NamesMatch(std::string_view name, std::string_view wanted, bool double_byte) {
  if (name.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < name.size();) {
    if (IsDoubleByteLead(double_byte, name[i]) && i + 1 < name.size()) {
      if (name.compare(i, 2, wanted, i, 2) != 0) return false;
      i += 2;
    } else {
      if (FoldAsciiCase(name[i]) != FoldAsciiCase(wanted[i])) return false;
      ++i;
    }
  }
  return true;
}

// One line: [start, content_end) is its text, [content_end, end) its ending.
struct Line {
  std::size_t start;
  std::size_t content_end;
  std::size_t end;
};

// Splits bytes into lines without copying them. Line breaks are found with
// memchr, which keeps a scan of a large file fast.
class LineSplitter {
 public:
  LineSplitter(std::string_view bytes, std::size_t start) : bytes_(bytes), pos_(start) {
    next_cr_ = Find('\r', start);
    next_lf_ = Find('\n', start);
  }

  bool Next(Line& line) {
    if (pos_ >= bytes_.size()) return false;
    if (next_cr_ < pos_) next_cr_ = Find('\r', pos_);
    if (next_lf_ < pos_) next_lf_ = Find('\n', pos_);
    const std::size_t content_end = std::min(next_cr_, next_lf_);
    std::size_t end = content_end;
    if (end < bytes_.size()) {
      const bool crlf = bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n';
      end += crlf ? 2 : 1;
    }
    line = {pos_, content_end, end};
    pos_ = end;
    return true;
  }

 private:
  // The offset of the next `c` from `from`, or the size when there is none.
  std::size_t Find(char c, std::size_t from) const {
    if (from >= bytes_.size()) return bytes_.size();
    const void* found = std::memchr(bytes_.data() + from, c, bytes_.size() - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes_.data())
                 : bytes_.size();
  }

  std::string_view bytes_;
  std::size_t pos_;
  std::size_t next_cr_;
  std::size_t next_lf_;
};

// The offset of the last `]` character in `text`, or npos.
std::size_t FindLastCloseBracket(std::string_view text, bool double_byte) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsDoubleByteLead(double_byte, text[i])) {
      ++i;
    } else if (text[i] == ']') {
      found = i;
    }
  }
  return found;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

ProfileLocation FindProfileKey(const ProfileBytes& file, std::string_view section,
                               std::string_view key) {
  const std::string_view bytes = file.bytes;
  ProfileLocation location;
  if (TrimBlanks(section).empty() || TrimBlanks(key).empty()) return location;
  bool in_section = false;
  LineSplitter splitter(bytes, file.text_start);
  for (Line line; splitter.Next(line);) {
    std::size_t first = line.start;
    while (first < line.content_end && IsBlank(bytes[first])) ++first;
    if (first == line.content_end) continue;
    const std::string_view text = bytes.substr(first, line.content_end - first);
    if (text.front() == '[') {
      const std::size_t close = FindLastCloseBracket(text.substr(1), file.double_byte);
      if (close == std::string_view::npos) continue;
      // The first matching section ends at the next section line.
      if (in_section) break;
      if (NamesMatch(TrimBlanks(text.substr(1, close)), section, file.double_byte)) {
        in_section = true;
        location.section_found = true;
        location.insert_at = line.end;
      }
      continue;
    }
    if (!in_section || text.front() == ';') continue;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    location.insert_at = line.end;
    if (!NamesMatch(TrimBlanks(text.substr(0, equals)), key, file.double_byte)) continue;
    const std::string_view value = TrimBlanks(text.substr(equals + 1));
    location.key_found = true;
    location.line_start = line.start;
    location.value_start =
        value.empty() ? line.content_end : static_cast<std::size_t>(value.data() - bytes.data());
    location.value_end = location.value_start + value.size();
    location.content_end = line.content_end;
    location.line_end = line.end;
    return location;
  }
  return location;
}

std::string_view FirstLineEnding(std::string_view bytes) {
  const std::size_t at = bytes.find_first_of("\r\n");
  if (at == std::string_view::npos) return {};
  if (bytes[at] == '\n') return "\n";
  return bytes.substr(at + 1).starts_with('\n') ? "\r\n" : "\r";
}

}  // namespace tavern
