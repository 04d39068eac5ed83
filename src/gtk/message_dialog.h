#pragma once

#include "components/message_box.h"

namespace tavern::gtk {

// Shows a message box without an owner window: the caption, the text (CR
// LF as line breaks, laid out on the Song font's even grid so indented
// lines keep their shape), an error icon when asked and one OK button.
// Returns when it has been closed; events go on being handled meanwhile.
void RunMessageDialog(const MessageBoxRequest& request);

}  // namespace tavern::gtk
