#pragma once

#include <string_view>

#include "browsing/browser_window.h"

namespace tavern {

inline constexpr std::string_view kCreateBrowserFailedMessage = "创建浏览器失败！";
inline constexpr std::string_view kInformationCaption = "信息：";

// Opens a new page tab on `address` (used exactly as given) and makes it
// current. A failure is shown to the user, not told to the caller.
void OpenPage(BrowserWindow& window, std::string_view address);
// Handler of the address box's character input: Enter opens the typed text.
void OpenTypedAddress(BrowserWindow& window, int character);
// Shows a plain information box: caption "信息：", OK only, no icon, task-modal.
void ShowInformation(BrowserWindow& window, std::string_view text);

}  // namespace tavern
