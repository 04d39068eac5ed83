#pragma once

#include "components/window_platform.h"

namespace tavern {

// The home page settings window, opened modally; returns when it has closed.
// "确定" (or Enter in its edit box) stores the typed address in config.ini
// for the next start; the running program keeps its home page.
void OpenSettingsWindow(WindowPlatform& platform);

}  // namespace tavern
