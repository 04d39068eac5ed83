#pragma once

#include <string>
#include <vector>

#include "components/component_ref.h"

namespace tavern {

// What a menu item does when it is selected; the window's handlers read it.
enum class MenuCommand {
  kNone,
  kSaveAs,
  kPageSetup,
  kPrintPreview,
  kPrint,
  kExit,
  kForward,
  kBack,
  kHome,
  kHomePageSettings,
  kRefresh,
  kStop,
  kTextSizeLargest,
  kTextSizeLarger,
  kTextSizeMedium,
  kTextSizeSmaller,
  kTextSizeSmallest,
  kAbout,
  kCloseCurrentPage,
};

// One item of a window's flat menu list. An item followed by items of a
// deeper level opens them as its menu; the caption "-" is a separator line;
// "&" marks the access key.
struct MenuItemDefinition {
  int level = 0;
  std::string caption;
  MenuCommand command = MenuCommand::kNone;
  bool hidden = false;
  bool disabled = false;
  bool checked = false;
};

inline constexpr const char* kMenuSeparator = "-";

// Images of the toolbar's image list, by their index in it.
enum class ToolbarImage {
  kLeftArrow = 0,
  kRightArrow = 1,
  kStopSign = 2,
  kRefreshSheet = 3,
  kHouse = 4,
  kPrinter = 5,
  kLetterA = 6,
  kNone = -1,
};

enum class ToolbarButtonStyle { kButton, kSeparator, kDropDown };

struct ToolbarButtonDefinition {
  std::string tooltip;
  ToolbarImage image = ToolbarImage::kNone;
  ToolbarButtonStyle style = ToolbarButtonStyle::kButton;
  bool disabled = false;
};

struct StatusBarPartDefinition {
  int width = 0;  // -1: to the right edge
  std::string text;
};

enum class Dock { kNone, kTop, kBottom };

// One component of a window, in the window's order.
struct ComponentDefinition {
  std::string name;
  ComponentKind kind = ComponentKind::kLabel;
  Rect place;
  Dock dock = Dock::kNone;
  bool visible = true;
  bool tab_stop = false;
  // Label text, button caption or the edit box's first text.
  std::string text;
  // The accessible name announced for the component.
  std::string accessible_name;

  // Tab strip.
  std::vector<std::string> tabs;
  std::string font_family;
  int font_pixels = 0;

  // Status bar.
  std::vector<StatusBarPartDefinition> parts;
  bool size_grip = false;

  // Toolbar.
  std::vector<ToolbarButtonDefinition> buttons;
  bool flat = true;
  int image_width = 0;
  int image_height = 0;

  // Web view.
  int font_size = 2;
  bool offline = false;
  bool silent = true;
};

// A window as data: the platform builds it; the program's handlers and the
// tests read the same description.
struct WindowDefinition {
  std::string name;
  std::string caption;
  int outer_width = 0;
  int outer_height = 0;
  // Where the window goes: centred on the screen, or at `stored_place`.
  bool centred = true;
  Point stored_place;
  // A fixed border: the user cannot drag the window's edges.
  bool fixed_border = true;
  bool minimize_box = true;
  bool maximize_box = true;
  bool system_menu = true;
  bool show_in_taskbar = true;
  bool topmost = false;
  // Esc asks the window to close unless the focused control uses the key.
  bool escape_closes = true;
  // The font in which the menu bar and pop-up menus are drawn; empty: the theme's.
  std::string menu_font;
  std::vector<ComponentDefinition> components;
  std::vector<MenuItemDefinition> menu;
};

// The index of the first menu item of `definition` with `caption`; -1 if none.
int FindMenuItem(const WindowDefinition& definition, const std::string& caption);
// The component of `definition` named `name`; nullptr if none.
const ComponentDefinition* FindComponent(const WindowDefinition& definition,
                                         const std::string& name);
// The indices of the items that open directly under menu item `menu`
// (separators included, deeper levels left out).
std::vector<int> MenuChildren(const WindowDefinition& definition, int menu);

}  // namespace tavern
