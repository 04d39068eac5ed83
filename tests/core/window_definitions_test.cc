#include <gtest/gtest.h>

#include "app/main_window_definition.h"
#include "settings/settings_window_definition.h"

namespace tavern {
namespace {

std::vector<std::string> Captions(const WindowDefinition& w, const std::vector<int>& items) {
  std::vector<std::string> captions;
  for (const int i : items) captions.push_back(w.menu[static_cast<std::size_t>(i)].caption);
  return captions;
}

TEST(MainWindowDefinitionTest, PlacesTheComponentsInTheFormsOrder) {
  const WindowDefinition& w = MainWindowDefinition();
  EXPECT_EQ(w.outer_width, 957);
  EXPECT_EQ(w.outer_height, 655);
  EXPECT_TRUE(w.centred);
  EXPECT_TRUE(w.fixed_border);
  EXPECT_TRUE(w.minimize_box && w.maximize_box && w.system_menu && w.show_in_taskbar);
  EXPECT_FALSE(w.topmost);
  EXPECT_TRUE(w.escape_closes);
  EXPECT_NE(w.caption.find("1.0.1"), std::string::npos);

  struct Expected {
    const char* name;
    ComponentKind kind;
    Rect place;
    Dock dock;
    bool visible;
  };
  const std::vector<Expected> expected = {
      {"高级选择夹1", ComponentKind::kTabStrip, {2, 32, 942, 24}, Dock::kNone, true},
      {"状态条1", ComponentKind::kStatusBar, {0, 0, 0, 20}, Dock::kBottom, true},
      {"超文本浏览框_源", ComponentKind::kWebView, {4, 56, 940, 528}, Dock::kNone, false},
      {"地址编辑框", ComponentKind::kEditBox, {280, 8, 664, 20}, Dock::kNone, true},
      {"透明标签1", ComponentKind::kLabel, {240, 0, 40, 32}, Dock::kNone, true},
      {"工具条1", ComponentKind::kToolbar, {0, 0, 0, 32}, Dock::kTop, true},
      {"超级菜单1", ComponentKind::kMenuLook, {480, 24, 40, 32}, Dock::kNone, false},
  };
  ASSERT_EQ(w.components.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ComponentDefinition& c = w.components[i];
    EXPECT_EQ(c.name, expected[i].name);
    EXPECT_EQ(c.kind, expected[i].kind) << c.name;
    EXPECT_EQ(c.place, expected[i].place) << c.name;
    EXPECT_EQ(c.dock, expected[i].dock) << c.name;
    EXPECT_EQ(c.visible, expected[i].visible) << c.name;
  }
  const ComponentDefinition& strip = w.components[0];
  EXPECT_EQ(strip.tabs, std::vector<std::string>{"空白"});
  EXPECT_EQ(strip.font_family, "宋体");
  const ComponentDefinition& bar = w.components[1];
  ASSERT_EQ(bar.parts.size(), 2u);
  EXPECT_EQ(bar.parts[0].width, 50);
  EXPECT_EQ(bar.parts[0].text, "状态：");
  EXPECT_EQ(bar.parts[1].text, "");
  EXPECT_FALSE(bar.size_grip);
  const ComponentDefinition& page = w.components[2];
  EXPECT_EQ(page.font_size, 2);
  EXPECT_TRUE(page.silent);
  EXPECT_FALSE(page.offline);
  EXPECT_TRUE(w.components[3].tab_stop);
  EXPECT_EQ(w.components[4].text, "地址：");
  EXPECT_EQ(w.components[6].font_family, "Segoe UI");
}

TEST(MainWindowDefinitionTest, TheMenuBarShowsThreeMenusAndHidesTheTabMenu) {
  const WindowDefinition& w = MainWindowDefinition();
  std::vector<std::string> bar;
  for (const auto& item : w.menu) {
    if (item.level == 0 && !item.hidden) bar.push_back(item.caption);
  }
  EXPECT_EQ(bar, (std::vector<std::string>{"文件(&F)", "浏览(&V)", "关于(&A)"}));
  for (const auto& item : w.menu) {
    EXPECT_FALSE(item.disabled) << item.caption;
    EXPECT_FALSE(item.checked) << item.caption;
    EXPECT_EQ(item.hidden, item.caption == "子夹右键") << item.caption;
  }
  EXPECT_EQ(Captions(w, MenuChildren(w, FindMenuItem(w, "文件(&F)"))),
            (std::vector<std::string>{"另存为(&A)", "-", "页面设置(&U)", "打印预览(&V)",
                                      "打印本页(&P)", "-", "退出(&X)"}));
  EXPECT_EQ(Captions(w, MenuChildren(w, FindMenuItem(w, "浏览(&V)"))),
            (std::vector<std::string>{"前进(&F)", "后退(&B)", "首页(&H)", "首页设置(&G)", "-",
                                      "刷新(&R)", "停止(&S)", "-", "字体(&T)"}));
  EXPECT_EQ(Captions(w, MenuChildren(w, FindMenuItem(w, "字体(&T)"))),
            (std::vector<std::string>{"最大(&G)", "较大(&L)", "中等(&M)", "较小(&S)", "最小(&A)"}));
  EXPECT_EQ(Captions(w, MenuChildren(w, FindMenuItem(w, "关于(&A)"))),
            std::vector<std::string>{"关于浏览器(&B)"});
  EXPECT_EQ(Captions(w, MenuChildren(w, FindMenuItem(w, "子夹右键"))),
            std::vector<std::string>{"关闭当前页"});
}

TEST(MainWindowDefinitionTest, TheToolbarHasEightButtonsWithTheSeparatorAtFive) {
  const auto& buttons = MainWindowDefinition().components[5].buttons;
  using S = ToolbarButtonStyle;
  using I = ToolbarImage;
  struct Expected {
    const char* tooltip;
    I image;
    S style;
    bool disabled;
  };
  const std::vector<Expected> expected = {
      {"转到首页", I::kHouse, S::kButton, false},    {"后退", I::kLeftArrow, S::kButton, true},
      {"前进", I::kRightArrow, S::kButton, false},   {"停止", I::kStopSign, S::kButton, false},
      {"刷新", I::kRefreshSheet, S::kButton, false}, {"", I::kNone, S::kSeparator, false},
      {"字体", I::kLetterA, S::kDropDown, false},    {"打印", I::kPrinter, S::kButton, false},
  };
  ASSERT_EQ(buttons.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(buttons[i].tooltip, expected[i].tooltip) << i;
    EXPECT_EQ(buttons[i].image, expected[i].image) << i;
    EXPECT_EQ(buttons[i].style, expected[i].style) << i;
    EXPECT_EQ(buttons[i].disabled, expected[i].disabled) << i;
  }
  // The image list's order: left, right, stop, refresh, house, printer, A.
  EXPECT_EQ(static_cast<int>(I::kHouse), 4);
  EXPECT_EQ(static_cast<int>(I::kLetterA), 6);
}

TEST(SettingsWindowDefinitionTest, HasItsControlsAtTheirPlaces) {
  const WindowDefinition& w = SettingsWindowDefinition();
  EXPECT_EQ(w.caption, "首页设置");
  EXPECT_EQ(w.outer_width, 326);
  EXPECT_EQ(w.outer_height, 137);
  EXPECT_TRUE(w.centred && w.fixed_border && w.system_menu && w.escape_closes);
  EXPECT_FALSE(w.minimize_box || w.maximize_box);
  EXPECT_TRUE(w.menu.empty());
  struct Expected {
    const char* name;
    ComponentKind kind;
    Rect place;
    const char* text;
  };
  const std::vector<Expected> expected = {
      {"标签1", ComponentKind::kLabel, {24, 24, 104, 32}, "主页地址："},
      {"编辑框1", ComponentKind::kEditBox, {88, 24, 224, 24}, ""},
      {"按钮1", ComponentKind::kButton, {200, 80, 56, 24}, "确定"},
      {"按钮2", ComponentKind::kButton, {264, 80, 56, 24}, "取消"},
  };
  ASSERT_EQ(w.components.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(w.components[i].name, expected[i].name);
    EXPECT_EQ(w.components[i].kind, expected[i].kind);
    EXPECT_EQ(w.components[i].place, expected[i].place);
    EXPECT_EQ(w.components[i].text, expected[i].text);
  }
}

}  // namespace
}  // namespace tavern
