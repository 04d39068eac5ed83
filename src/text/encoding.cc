#include "text/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "text/utf8.h"

namespace tavern {
namespace {

// An iconv conversion that lives for one call.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as it can; gives false at the first sequence it
  // cannot take, leaving `in` pointing at it.
  bool Convert(std::string_view& in, std::string& out) {
    char buffer[4096];
    while (!in.empty()) {
      char* in_ptr = const_cast<char*>(in.data());
      std::size_t in_left = in.size();
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t result = iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left);
      out.append(buffer, sizeof buffer - out_left);
      in.remove_prefix(in.size() - in_left);
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t handle_;
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

FileEncoding DetectFileEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return FileEncoding::kUtf8WithBom;
  const auto first_non_ascii = std::find_if(bytes.begin(), bytes.end(), [](char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
  });
  if (first_non_ascii == bytes.end()) return FileEncoding::kGb18030;
  // The ASCII before it is well-formed UTF-8 whatever follows.
  const std::string_view rest =
      bytes.substr(static_cast<std::size_t>(first_non_ascii - bytes.begin()));
  return IsValidUtf8(rest) ? FileEncoding::kUtf8 : FileEncoding::kGb18030;
}

std::string Gb18030ToUtf8(std::string_view bytes) {
  std::string out;
  Converter converter("UTF-8", "GB18030");
  if (!converter.ok()) return out;
  out.reserve(bytes.size());
  while (!converter.Convert(bytes, out)) {
    // Skip the byte that could not be read (or the cut end) and go on.
    out.append(kReplacement);
    bytes.remove_prefix(1);
  }
  return out;
}

std::optional<std::string> Utf8ToGb18030(std::string_view text) {
  if (!IsValidUtf8(text)) return std::nullopt;
  Converter converter("GB18030", "UTF-8");
  if (!converter.ok()) return std::nullopt;
  std::string out;
  if (!converter.Convert(text, out)) return std::nullopt;
  return out;
}

}  // namespace tavern
