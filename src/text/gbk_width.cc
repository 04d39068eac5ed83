#include "text/gbk_width.h"

#include "text/utf8.h"

namespace tavern {

int GbkCharWidth(std::string_view utf8_char) { return utf8_char.size() == 1 ? 1 : 2; }

int GbkLength(std::string_view text) {
  int length = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t char_length = CharLengthAt(text, pos);
    length += GbkCharWidth(text.substr(pos, char_length));
    pos += char_length;
  }
  return length;
}

std::string_view CutToGbkLength(std::string_view text, int max_bytes) {
  int length = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t char_length = CharLengthAt(text, pos);
    const int width = GbkCharWidth(text.substr(pos, char_length));
    if (length + width > max_bytes) break;
    length += width;
    pos += char_length;
  }
  return text.substr(0, pos);
}

std::string FitToGbkLength(std::string_view text, int bytes) {
  std::string fitted(CutToGbkLength(text, bytes));
  const int length = GbkLength(fitted);
  if (length < bytes) fitted.append(static_cast<std::size_t>(bytes - length), ' ');
  return fitted;
}

}  // namespace tavern
