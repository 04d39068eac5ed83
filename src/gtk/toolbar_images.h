#pragma once

#include <gdkmm/pixbuf.h>
#include <glibmm/refptr.h>

#include "components/window_definition.h"

namespace tavern::gtk {

// The toolbar's image list, drawn rather than loaded: each motif at
// `width` × `height` pixels on a transparent ground. kNone gives an empty image.
Glib::RefPtr<Gdk::Pixbuf> DrawToolbarImage(ToolbarImage image, int width, int height);

// The small downward arrow of a drop-down button's arrow part.
Glib::RefPtr<Gdk::Pixbuf> DrawDropDownArrow(int width, int height);

}  // namespace tavern::gtk
