#include "gtk/web_page_address.h"

#include <glib.h>

#include "text/trim.h"

namespace tavern::gtk {
namespace {

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSchemeChar(char c) {
  return IsAsciiAlpha(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

// Whether `rest`, the text after a colon, reads as a port: digits up to the
// end or to the start of a path, query or fragment.
bool StartsWithPort(std::string_view rest) {
  std::size_t digits = 0;
  while (digits < rest.size() && IsAsciiDigit(rest[digits])) ++digits;
  if (digits == 0) return false;
  return digits == rest.size() || rest[digits] == '/' || rest[digits] == '?' || rest[digits] == '#';
}

bool HasScheme(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon == 0 || !IsAsciiAlpha(address[0])) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    if (!IsSchemeChar(address[i])) return false;
  }
  return !StartsWithPort(address.substr(colon + 1));
}

std::string FileUri(const std::string& path) {
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  if (uri == nullptr) return "file://" + path;
  std::string result = uri;
  g_free(uri);
  return result;
}

}  // namespace

std::string NavigableAddress(std::string_view typed) {
  const std::string_view address = TrimSpaces(typed);
  if (address.empty()) return "about:blank";
  if (address.starts_with("//")) return "http:" + std::string(address);
  if (address.starts_with('/')) return FileUri(std::string(address));
  if (HasScheme(address)) return std::string(address);
  return "http://" + std::string(address);
}

}  // namespace tavern::gtk
