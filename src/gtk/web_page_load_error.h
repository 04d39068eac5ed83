#pragma once

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <string>

namespace tavern::gtk {

// Whether a failed load was only stopped, cancelled or taken over (a new
// navigation, an ignored policy decision): no error page is shown for it.
bool IsCancelledLoad(const GError* error);

// Why a load failed, for the error page: a sentence of ours and the
// engine's own message.
std::string LoadFailureReason(const GError* error);

// Why a load was refused for the certificate problems `errors`.
std::string CertificateFailureReason(GTlsCertificateFlags errors);

// Why a page went away when its web process ended.
std::string WebProcessEndReason(WebKitWebProcessTerminationReason reason);

}  // namespace tavern::gtk
