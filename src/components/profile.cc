#include "components/profile.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "components/profile_file.h"
#include "components/profile_scan.h"
#include "text/encoding.h"
#include "text/gbk_width.h"
#include "text/utf8.h"

namespace tavern {
namespace {

constexpr std::string_view kNewFileLineEnding = "\r\n";

bool IsGb18030(FileEncoding encoding) { return encoding == FileEncoding::kGb18030; }

ProfileBytes DescribeFile(std::string_view bytes, FileEncoding encoding) {
  return {bytes, encoding == FileEncoding::kUtf8WithBom ? kUtf8Bom.size() : 0, IsGb18030(encoding)};
}

// UTF-8 text in the file's encoding; nullopt when it cannot be written there.
std::optional<std::string> ToFileEncoding(std::string_view text, FileEncoding encoding) {
  if (IsGb18030(encoding)) return Utf8ToGb18030(text);
  if (!IsValidUtf8(text)) return std::nullopt;
  return std::string(text);
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// A character takes at most 4 bytes and counts at least 2 GBK bytes when it
// takes more than one, and a byte that is no character reads as U+FFFD,
// which counts 2: this many bytes always hold more than `max_length`.
std::size_t RawBytesEnoughFor(int max_length) {
  return 2 * static_cast<std::size_t>(std::max(max_length, 0)) + 8;
}

// The value as the writer stores it: it ends at a NUL byte, as a C string
// would, and each run of CR and LF becomes one space, so that it stays on
// its line.
std::optional<std::string> ValueForLine(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  if (!IsValidUtf8(value)) return std::nullopt;
  std::string line;
  line.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\r' && value[i] != '\n') {
      line.push_back(value[i]);
    } else if (i == 0 || (value[i - 1] != '\r' && value[i - 1] != '\n')) {
      line.push_back(' ');
    }
  }
  return line;
}

// Names that the reader would find again on the line the writer makes.
bool IsWritableName(std::string_view name, bool is_key) {
  if (name.empty() || !IsValidUtf8(name)) return false;
  if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  return !is_key ||
         (name.find('=') == std::string_view::npos && name.front() != '[' && name.front() != ';');
}

bool EndsWithLineBreak(std::string_view bytes) {
  return bytes.ends_with('\r') || bytes.ends_with('\n');
}

// The file's new content, as the bytes before the change, the inserted
// text and the bytes after it.
struct Edit {
  std::size_t keep_until = 0;
  std::string inserted;
  std::size_t resume_at = 0;
};

// Puts `section`, `key` and `value`, already in the encoding of the text
// they go into, into the file.
Edit PlanEdit(const ProfileBytes& file, const ProfileLocation& location, std::string_view section,
              std::string_view key, std::string_view value) {
  const std::string_view bytes = file.bytes;
  if (location.key_found) {
    return {location.value_start, std::string(value), location.content_end};
  }
  std::string_view line_ending = FirstLineEnding(bytes);
  if (line_ending.empty()) line_ending = kNewFileLineEnding;
  std::string lines;
  if (!location.section_found) {
    lines.append("[").append(section).append("]").append(line_ending);
  }
  lines.append(key).append("=").append(value);
  const std::size_t at = location.section_found ? location.insert_at : bytes.size();
  // A last line without a line ending gets one; the file still ends as it did.
  if (at == bytes.size() && bytes.size() > file.text_start && !EndsWithLineBreak(bytes)) {
    lines.insert(0, line_ending);
  } else {
    lines.append(line_ending);
  }
  return {at, std::move(lines), at};
}

bool WriteProfile(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (!IsWritableName(section, false) || !IsWritableName(key, true)) return false;
  const std::optional<std::string> line_value = ValueForLine(value);
  if (!line_value) return false;

  const std::string target = ResolveLinks(path);
  const FileContent content = FileContent::Read(target);
  if (content.state() == FileContent::State::kUnreadable) return false;
  const std::string_view bytes = content.bytes();
  const FileEncoding encoding = DetectFileEncoding(bytes);
  const ProfileBytes file = DescribeFile(bytes, encoding);

  const auto plan = [&](FileEncoding text_encoding) -> std::optional<Edit> {
    const auto file_section = ToFileEncoding(section, encoding);
    const auto file_key = ToFileEncoding(key, encoding);
    const auto new_section = ToFileEncoding(section, text_encoding);
    const auto new_key = ToFileEncoding(key, text_encoding);
    const auto new_value = ToFileEncoding(*line_value, text_encoding);
    if (!file_section || !file_key || !new_section || !new_key || !new_value) return std::nullopt;
    const ProfileLocation location = FindProfileKey(file, *file_section, *file_key);
    return PlanEdit(file, location, *new_section, *new_key, *new_value);
  };
  std::optional<Edit> edit = plan(encoding);
  if (!edit) return false;
  // GBK bytes can happen to be well-formed UTF-8; in a file that was plain
  // ASCII they would make the whole file read as UTF-8, so such a text is
  // written in UTF-8 and reads back as it was given.
  if (IsGb18030(encoding) && !IsAscii(edit->inserted) && IsValidUtf8(edit->inserted) &&
      IsAscii(bytes.substr(0, edit->keep_until)) && IsAscii(bytes.substr(edit->resume_at))) {
    edit = plan(FileEncoding::kUtf8);
    if (!edit) return false;
  }
  return ReplaceFile(
      target, {bytes.substr(0, edit->keep_until), edit->inserted, bytes.substr(edit->resume_at)},
      content);
}

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, int max_length) {
  try {
    const FileContent content = FileContent::Read(path);
    if (content.state() != FileContent::State::kRead) return {};
    const std::string_view bytes = content.bytes();
    const FileEncoding encoding = DetectFileEncoding(bytes);
    const auto file_section = ToFileEncoding(TrimBlanks(section), encoding);
    const auto file_key = ToFileEncoding(TrimBlanks(key), encoding);
    if (!file_section || !file_key) return {};
    const ProfileLocation location =
        FindProfileKey(DescribeFile(bytes, encoding), *file_section, *file_key);
    if (!location.key_found) return {};
    std::string_view raw = WithoutQuotes(
        bytes.substr(location.value_start, location.value_end - location.value_start));
    raw = raw.substr(0, RawBytesEnoughFor(max_length));
    std::string value = IsGb18030(encoding) ? Gb18030ToUtf8(raw) : std::string(raw);
    value.resize(std::min(value.find('\0'), value.size()));
    value.resize(CutToGbkLength(value, max_length).size());
    return value;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  try {
    return WriteProfile(path, section, key, value);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace tavern
