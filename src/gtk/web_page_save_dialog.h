#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace tavern::gtk {

// Asks where to save a page, in a modal file chooser over `parent` (may be
// null) offering `default_name` and asking before it overwrites a file.
// Returns at once; `chosen` is called with the path when the user accepts,
// and never when the user cancels.
void AskWhereToSave(GtkWindow* parent, const std::string& default_name,
                    std::function<void(const std::string& path)> chosen);

}  // namespace tavern::gtk
