#include "settings/settings_window_definition.h"

namespace tavern {
namespace {

ComponentDefinition Control(const char* name, ComponentKind kind, Rect place, const char* text,
                            const char* accessible_name) {
  ComponentDefinition c;
  c.name = name;
  c.kind = kind;
  c.place = place;
  c.text = text;
  c.accessible_name = accessible_name;
  c.tab_stop = kind != ComponentKind::kLabel;
  return c;
}

WindowDefinition Build() {
  WindowDefinition w;
  w.name = "settings";
  w.caption = "首页设置";
  w.outer_width = 326;
  w.outer_height = 137;
  w.centred = true;
  w.fixed_border = true;
  w.minimize_box = false;
  w.maximize_box = false;
  w.system_menu = true;
  w.show_in_taskbar = false;
  w.escape_closes = true;
  w.components = {
      Control(kHomePageLabelName, ComponentKind::kLabel, {24, 24, 104, 32}, "主页地址：", ""),
      Control(kHomePageEditName, ComponentKind::kEditBox, {88, 24, 224, 24}, "", "主页地址"),
      Control(kOkButtonName, ComponentKind::kButton, {200, 80, 56, 24}, "确定", "确定"),
      Control(kCancelButtonName, ComponentKind::kButton, {264, 80, 56, 24}, "取消", "取消"),
  };
  return w;
}

}  // namespace

const WindowDefinition& SettingsWindowDefinition() {
  static const WindowDefinition definition = Build();
  return definition;
}

}  // namespace tavern
