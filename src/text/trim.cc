#include "text/trim.h"

#include "text/utf8.h"

namespace tavern {
namespace {

constexpr std::string_view kFullWidthSpace = "\u3000";

bool IsSpace(std::string_view character) {
  return character == " " || character == kFullWidthSpace;
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  // Walk characters from the front; remember where the last non-space ends.
  std::size_t begin = text.size();
  std::size_t end = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLengthAt(text, pos);
    if (!IsSpace(text.substr(pos, length))) {
      if (begin == text.size()) begin = pos;
      end = pos + length;
    }
    pos += length;
  }
  if (begin == text.size()) return text.substr(0, 0);
  return text.substr(begin, end - begin);
}

}  // namespace tavern
