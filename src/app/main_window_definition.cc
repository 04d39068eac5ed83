#include "app/main_window_definition.h"

#include "app/product.h"

namespace tavern {
namespace {

ComponentDefinition TabStrip() {
  ComponentDefinition c;
  c.name = kTabStripName;
  c.kind = ComponentKind::kTabStrip;
  c.place = {2, 32, 942, 24};
  c.tabs = {"空白"};
  c.font_family = "宋体";
  c.font_pixels = 12;
  c.accessible_name = "页面标签";
  return c;
}

ComponentDefinition StatusBar() {
  ComponentDefinition c;
  c.name = kStatusBarName;
  c.kind = ComponentKind::kStatusBar;
  c.place = {0, 0, 0, 20};
  c.dock = Dock::kBottom;
  c.parts = {{50, "状态："}, {-1, ""}};
  c.size_grip = false;
  c.accessible_name = "状态栏";
  return c;
}

ComponentDefinition PageTemplate() {
  ComponentDefinition c;
  c.name = kPageTemplateName;
  c.kind = ComponentKind::kWebView;
  c.place = {4, 56, 940, 528};
  c.visible = false;
  c.font_size = 2;
  c.offline = false;
  c.silent = true;
  c.accessible_name = "页面";
  return c;
}

ComponentDefinition AddressBox() {
  ComponentDefinition c;
  c.name = kAddressBoxName;
  c.kind = ComponentKind::kEditBox;
  c.place = {280, 8, 664, 20};
  c.tab_stop = true;
  c.accessible_name = "地址";
  return c;
}

ComponentDefinition AddressLabel() {
  ComponentDefinition c;
  c.name = kAddressLabelName;
  c.kind = ComponentKind::kLabel;
  c.place = {240, 0, 40, 32};
  c.text = "地址：";
  return c;
}

ComponentDefinition Toolbar() {
  using Style = ToolbarButtonStyle;
  ComponentDefinition c;
  c.name = kToolbarName;
  c.kind = ComponentKind::kToolbar;
  c.place = {0, 0, 0, 32};
  c.dock = Dock::kTop;
  c.flat = true;
  c.image_width = 22;
  c.image_height = 20;
  c.accessible_name = "工具栏";
  c.buttons = {
      {"转到首页", ToolbarImage::kHouse, Style::kButton, false},
      {"后退", ToolbarImage::kLeftArrow, Style::kButton, true},
      {"前进", ToolbarImage::kRightArrow, Style::kButton, false},
      {"停止", ToolbarImage::kStopSign, Style::kButton, false},
      {"刷新", ToolbarImage::kRefreshSheet, Style::kButton, false},
      {"", ToolbarImage::kNone, Style::kSeparator, false},
      {"字体", ToolbarImage::kLetterA, Style::kDropDown, false},
      {"打印", ToolbarImage::kPrinter, Style::kButton, false},
  };
  return c;
}

ComponentDefinition MenuLook() {
  ComponentDefinition c;
  c.name = kMenuLookName;
  c.kind = ComponentKind::kMenuLook;
  c.place = {480, 24, 40, 32};
  c.visible = false;
  c.font_family = "Segoe UI";
  return c;
}

std::vector<MenuItemDefinition> Menu() {
  using C = MenuCommand;
  return {
      {0, "文件(&F)", C::kNone},
      {1, "另存为(&A)", C::kSaveAs},
      {1, kMenuSeparator, C::kNone},
      {1, "页面设置(&U)", C::kPageSetup},
      {1, "打印预览(&V)", C::kPrintPreview},
      {1, "打印本页(&P)", C::kPrint},
      {1, kMenuSeparator, C::kNone},
      {1, "退出(&X)", C::kExit},
      {0, "浏览(&V)", C::kNone},
      {1, kForwardMenuCaption, C::kForward},
      {1, kBackMenuCaption, C::kBack},
      {1, "首页(&H)", C::kHome},
      {1, "首页设置(&G)", C::kHomePageSettings},
      {1, kMenuSeparator, C::kNone},
      {1, "刷新(&R)", C::kRefresh},
      {1, "停止(&S)", C::kStop},
      {1, kMenuSeparator, C::kNone},
      {1, kTextSizeMenuCaption, C::kNone},
      {2, "最大(&G)", C::kTextSizeLargest},
      {2, "较大(&L)", C::kTextSizeLarger},
      {2, "中等(&M)", C::kTextSizeMedium},
      {2, "较小(&S)", C::kTextSizeSmaller},
      {2, "最小(&A)", C::kTextSizeSmallest},
      {0, "关于(&A)", C::kNone},
      {1, "关于浏览器(&B)", C::kAbout},
      {0, kTabMenuCaption, C::kNone, /*hidden=*/true},
      {1, "关闭当前页", C::kCloseCurrentPage},
  };
}

WindowDefinition Build() {
  WindowDefinition w;
  w.name = "main";
  w.caption = kMainWindowCaption;
  w.outer_width = 957;
  w.outer_height = 655;
  w.centred = true;
  w.stored_place = {50, 50};
  w.fixed_border = true;
  w.minimize_box = true;
  w.maximize_box = true;
  w.system_menu = true;
  w.show_in_taskbar = true;
  w.topmost = false;
  w.escape_closes = true;
  w.components = {TabStrip(),     StatusBar(), PageTemplate(), AddressBox(),
                  AddressLabel(), Toolbar(),   MenuLook()};
  w.menu = Menu();
  return w;
}

}  // namespace

const WindowDefinition& MainWindowDefinition() {
  static const WindowDefinition definition = Build();
  return definition;
}

}  // namespace tavern
