#pragma once

namespace tavern::gtk {

// Installs, once per screen, the style of the program's controls: compact
// entries, buttons, toolbar and tab strip that fit the sizes the window
// definitions give, and the toolbar's divider line.
void InstallComponentStyle();

}  // namespace tavern::gtk
