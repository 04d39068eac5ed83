#pragma once

namespace tavern::gtk {

// `size` brought into the text sizes 0 (smallest) to 4 (largest).
int ClampFontSize(int size);

// The engine's text zoom factor for text size `size` (clamped first); size 2
// is the engine's own 1.0.
double TextZoomForFontSize(int size);

}  // namespace tavern::gtk
