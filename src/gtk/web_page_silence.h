#pragma once

#include <webkit2/webkit2.h>

namespace tavern::gtk {

// Makes `view` answer on its own what the engine would otherwise ask the
// user: alerts are dismissed, confirmations declined, prompts cancelled,
// leaving a page with unsaved work allowed, and permission requests denied.
void SilenceEngineQuestions(WebKitWebView* view);

}  // namespace tavern::gtk
