#pragma once

#include "components/window_definition.h"

namespace tavern {

inline constexpr const char* kHomePageLabelName = "标签1";
inline constexpr const char* kHomePageEditName = "编辑框1";
inline constexpr const char* kOkButtonName = "按钮1";
inline constexpr const char* kCancelButtonName = "按钮2";

// The window in which the user types a new home page.
const WindowDefinition& SettingsWindowDefinition();

}  // namespace tavern
