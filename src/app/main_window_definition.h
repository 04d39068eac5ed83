#pragma once

#include "components/window_definition.h"

namespace tavern {

// Names of the main window's components in its definition.
inline constexpr const char* kTabStripName = "高级选择夹1";
inline constexpr const char* kStatusBarName = "状态条1";
inline constexpr const char* kPageTemplateName = "超文本浏览框_源";
inline constexpr const char* kAddressBoxName = "地址编辑框";
inline constexpr const char* kAddressLabelName = "透明标签1";
inline constexpr const char* kToolbarName = "工具条1";
inline constexpr const char* kMenuLookName = "超级菜单1";

// Captions of the menu items the handlers look up.
inline constexpr const char* kForwardMenuCaption = "前进(&F)";
inline constexpr const char* kBackMenuCaption = "后退(&B)";
inline constexpr const char* kTextSizeMenuCaption = "字体(&T)";
inline constexpr const char* kTabMenuCaption = "子夹右键";

// Toolbar buttons by index, the separator counted.
enum ToolbarButton : int {
  kHomeButton = 0,
  kBackButton = 1,
  kForwardButton = 2,
  kStopButton = 3,
  kRefreshButton = 4,
  kToolbarSeparator = 5,
  kTextSizeButton = 6,
  kPrintButton = 7,
};

// The status bar part that shows every status text.
inline constexpr int kStatusTextPart = 1;

// The main window: its place and look, its components, menus and toolbar.
const WindowDefinition& MainWindowDefinition();

}  // namespace tavern
