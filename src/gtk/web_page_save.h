#pragma once

#include <webkit2/webkit2.h>

#include <functional>
#include <string>
#include <string_view>

namespace tavern::gtk {

// The file name offered for saving a page titled `title` at `uri`: the title,
// else the address's host, else "网页", then ".mhtml"; characters that do not
// belong in a file name become "_".
std::string DefaultSaveFileName(std::string_view title, std::string_view uri);

// Saves the page shown in `view` as one MHTML file at `path`. Returns at
// once; `done` is called later on the GUI thread with whether it was saved.
void SavePageAsMhtml(WebKitWebView* view, const std::string& path,
                     std::function<void(bool saved)> done);

}  // namespace tavern::gtk
