#include "gtk/web_page_save.h"

#include <memory>
#include <utility>

#include "text/trim.h"

namespace tavern::gtk {
namespace {

constexpr std::string_view kUntitled = "网页";
constexpr std::string_view kExtension = ".mhtml";
// Long enough for any real title, short enough for every file system.
constexpr glong kMaxNameCharacters = 120;

std::string HostOf(std::string_view uri) {
  GUri* parsed = g_uri_parse(std::string(uri).c_str(), G_URI_FLAGS_NONE, nullptr);
  if (parsed == nullptr) return {};
  const char* host = g_uri_get_host(parsed);
  std::string result = host != nullptr ? host : "";
  g_uri_unref(parsed);
  return result;
}

bool IsForbiddenInName(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' ||
         c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
}

// `name` cut to kMaxNameCharacters characters, never inside one.
std::string CutName(const std::string& name) {
  if (!g_utf8_validate(name.c_str(), static_cast<gssize>(name.size()), nullptr)) return name;
  if (g_utf8_strlen(name.c_str(), -1) <= kMaxNameCharacters) return name;
  const char* end = g_utf8_offset_to_pointer(name.c_str(), kMaxNameCharacters);
  return std::string(name.c_str(), end);
}

struct Save {
  std::function<void(bool)> done;
};

void OnSaved(GObject* source, GAsyncResult* result, gpointer data) {
  std::unique_ptr<Save> save(static_cast<Save*>(data));
  const gboolean saved =
      webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
  if (save->done) save->done(saved == TRUE);
}

}  // namespace

std::string DefaultSaveFileName(std::string_view title, std::string_view uri) {
  std::string name(TrimSpaces(title));
  if (name.empty()) name = HostOf(uri);
  if (name.empty()) name = kUntitled;
  for (char& c : name) {
    if (IsForbiddenInName(c)) c = '_';
  }
  if (name.starts_with('.')) name.insert(0, "_");
  return CutName(name) + std::string(kExtension);
}

void SavePageAsMhtml(WebKitWebView* view, const std::string& path,
                     std::function<void(bool saved)> done) {
  GFile* file = g_file_new_for_path(path.c_str());
  webkit_web_view_save_to_file(view, file, WEBKIT_SAVE_MODE_MHTML, nullptr, OnSaved,
                               new Save{std::move(done)});
  g_object_unref(file);
}

}  // namespace tavern::gtk
