#include "gtk/web_page_silence.h"

namespace tavern::gtk {
namespace {

gboolean OnScriptDialog(WebKitWebView* /*view*/, WebKitScriptDialog* dialog, gpointer /*data*/) {
  switch (webkit_script_dialog_get_dialog_type(dialog)) {
    case WEBKIT_SCRIPT_DIALOG_CONFIRM:
      webkit_script_dialog_confirm_set_confirmed(dialog, FALSE);
      break;
    case WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM:
      webkit_script_dialog_confirm_set_confirmed(dialog, TRUE);
      break;
    case WEBKIT_SCRIPT_DIALOG_ALERT:
    case WEBKIT_SCRIPT_DIALOG_PROMPT:
      // An alert needs no answer; a prompt given no text reads as cancelled.
      break;
  }
  return TRUE;
}

gboolean OnPermissionRequest(WebKitWebView* /*view*/, WebKitPermissionRequest* request,
                             gpointer /*data*/) {
  webkit_permission_request_deny(request);
  return TRUE;
}

}  // namespace

void SilenceEngineQuestions(WebKitWebView* view) {
  g_signal_connect(view, "script-dialog", G_CALLBACK(OnScriptDialog), nullptr);
  g_signal_connect(view, "permission-request", G_CALLBACK(OnPermissionRequest), nullptr);
}

}  // namespace tavern::gtk
