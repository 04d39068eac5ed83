// Menus built from a window's flat list of items: the menu bar, pop-ups,
// access keys, disabled items and the selection event.
#include <gtest/gtest.h>
#include <gtkmm/separatormenuitem.h>

#include "app/main_window_definition.h"
#include "gtk/menu_label.h"
#include "platform_test_support.h"

namespace tavern::gtk::platform_test {
namespace {

TEST(PlatformMnemonicLabelTest, AmpersandsBecomeGtkAccessKeys) {
  struct Case {
    const char* caption;
    const char* label;
  };
  const Case cases[] = {
      {"文件(&F)", "文件(_F)"}, {"关闭当前页", "关闭当前页"},
      {"a_b(&X)", "a__b(_X)"},  {"R&&D", "R&D"},
      {"end&", "end"},          {"-", "-"},
  };
  for (const Case& c : cases) EXPECT_EQ(MnemonicLabel(c.caption), c.label) << c.caption;
}

std::vector<std::string> Captions(Gtk::MenuShell& shell) {
  std::vector<std::string> captions;
  for (Gtk::Widget* child : shell.get_children()) {
    if (dynamic_cast<Gtk::SeparatorMenuItem*>(child) != nullptr) {
      captions.push_back("-");
    } else if (auto* item = dynamic_cast<Gtk::MenuItem*>(child)) {
      captions.push_back(item->get_label());
    }
  }
  return captions;
}

Gtk::Menu* SubmenuOf(Gtk::MenuShell& shell, const std::string& label) {
  for (Gtk::Widget* child : shell.get_children()) {
    auto* item = dynamic_cast<Gtk::MenuItem*>(child);
    if (item != nullptr && item->get_label() == label) return item->get_submenu();
  }
  return nullptr;
}

class PlatformMenuTest : public PlatformTest {
 protected:
  void SetUp() override { id_ = Load(MainWindowDefinition()); }
  PlatformWindow& main() { return window(id_); }
  int Item(const char* caption) { return FindMenuItem(MainWindowDefinition(), caption); }
  int32_t id_ = 0;
};

TEST_F(PlatformMenuTest, TheMenuBarShowsTheVisibleMenusInTheirOrder) {
  Gtk::MenuBar* bar = main().menu_bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Captions(*bar), (std::vector<std::string>{"文件(_F)", "浏览(_V)", "关于(_A)"}));
  Gtk::Menu* file = SubmenuOf(*bar, "文件(_F)");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Captions(*file),
            (std::vector<std::string>{"另存为(_A)", "-", "页面设置(_U)", "打印预览(_V)",
                                      "打印本页(_P)", "-", "退出(_X)"}));
  Gtk::Menu* browse = SubmenuOf(*bar, "浏览(_V)");
  ASSERT_NE(browse, nullptr);
  EXPECT_EQ(Captions(*browse),
            (std::vector<std::string>{"前进(_F)", "后退(_B)", "首页(_H)", "首页设置(_G)", "-",
                                      "刷新(_R)", "停止(_S)", "-", "字体(_T)"}));
  Gtk::Menu* sizes = SubmenuOf(*browse, "字体(_T)");
  ASSERT_NE(sizes, nullptr);
  EXPECT_EQ(Captions(*sizes),
            (std::vector<std::string>{"最大(_G)", "较大(_L)", "中等(_M)", "较小(_S)", "最小(_A)"}));
  // The hidden pop-up menu has no item in the bar at all.
  EXPECT_TRUE(main().MenuItemsOf(Item(kTabMenuCaption)).empty());
  EXPECT_TRUE(main().MenuItemsOf(Item("关闭当前页")).empty());
  // Its items read as their captions to assistive technologies.
  GtkWidget* about = GTK_WIDGET(main().MenuItemsOf(Item("关于(&A)")).at(0)->gobj());
  EXPECT_STREQ(atk_object_get_name(gtk_widget_get_accessible(about)), "关于(A)");
}

TEST_F(PlatformMenuTest, DisabledStateFollowsSetMenuItemDisabled) {
  const int back = Item(kBackMenuCaption);
  EXPECT_FALSE(platform().MenuItemDisabled(id_, back));
  platform().SetMenuItemDisabled(id_, back, true);
  EXPECT_TRUE(platform().MenuItemDisabled(id_, back));
  for (Gtk::MenuItem* item : main().MenuItemsOf(back)) EXPECT_FALSE(item->get_sensitive());
  platform().SetMenuItemDisabled(id_, back, false);
  for (Gtk::MenuItem* item : main().MenuItemsOf(back)) EXPECT_TRUE(item->get_sensitive());
}

TEST_F(PlatformMenuTest, ChoosingFromTheMenuBarRaisesTheItemsIndex) {
  Gtk::MenuItem* about = main().MenuItemsOf(Item("关于浏览器(&B)")).at(0);
  events_.records.clear();
  about->activate();
  ASSERT_TRUE(WaitUntil([&] { return !events_.records.empty(); }));
  EXPECT_EQ(events_.Names(),
            (std::vector<std::string>{"menu " + std::to_string(Item("关于浏览器(&B)"))}));
  EXPECT_EQ(events_.records[0].source.ref, (ComponentRef{id_, 0}));
}

TEST_F(PlatformMenuTest, APopUpsChosenItemIsRaisedAfterThePopUpCallReturned) {
  const int tab_menu = Item(kTabMenuCaption);
  const int close_page = Item("关闭当前页");
  const GdkRectangle area = ScreenBox(GTK_WIDGET(main().client_area().gobj()));
  const Point at{area.x + 100, area.y + 60};
  // Once the pop-up is open, the user clicks its one item.
  bool seen_open = false;
  Point menu_corner;
  std::vector<std::string> captions;
  Glib::signal_timeout().connect(
      [&] {
        Gtk::Menu* popup = main().open_popup();
        if (popup == nullptr || !popup->get_mapped()) return true;
        seen_open = true;
        captions = Captions(*popup);
        const GdkRectangle box = ScreenBox(GTK_WIDGET(popup->get_toplevel()->gobj()));
        menu_corner = {box.x, box.y};
        Gtk::Widget* item = popup->get_children().at(0);
        const GdkRectangle item_box = ScreenBox(GTK_WIDGET(item->gobj()));
        XTestFakeMotionEvent(XDisplay(), -1, item_box.x + 5, item_box.y + item_box.height / 2,
                             CurrentTime);
        XTestFakeButtonEvent(XDisplay(), 3, True, CurrentTime);
        XTestFakeButtonEvent(XDisplay(), 3, False, CurrentTime);
        XFlush(XDisplay());
        return false;
      },
      100);
  events_.records.clear();
  platform().PopupMenu(id_, tab_menu, at);
  EXPECT_TRUE(seen_open);
  EXPECT_EQ(captions, (std::vector<std::string>{"关闭当前页"}));
  EXPECT_EQ(menu_corner, at);
  // Not inside the call: as an event of its own, afterwards.
  EXPECT_TRUE(events_.records.empty());
  ASSERT_TRUE(WaitUntil([&] { return !events_.records.empty(); }));
  EXPECT_EQ(events_.Names(), (std::vector<std::string>{"menu " + std::to_string(close_page)}));
}

TEST_F(PlatformMenuTest, APopUpClosedWithoutAChoiceRaisesNothing) {
  const GdkRectangle area = ScreenBox(GTK_WIDGET(main().client_area().gobj()));
  Glib::signal_timeout().connect(
      [&] {
        Gtk::Menu* popup = main().open_popup();
        if (popup == nullptr || !popup->get_mapped()) return true;
        // Disabled items are disabled in the pop-up as well.
        for (Gtk::MenuItem* item :
             main().MenuItemsOf(FindMenuItem(MainWindowDefinition(), "最大(&G)"))) {
          EXPECT_FALSE(item->get_sensitive());
        }
        XTestFakeMotionEvent(XDisplay(), -1, area.x + area.width - 10, area.y + area.height - 40,
                             CurrentTime);
        XTestFakeButtonEvent(XDisplay(), 1, True, CurrentTime);
        XTestFakeButtonEvent(XDisplay(), 1, False, CurrentTime);
        XFlush(XDisplay());
        return false;
      },
      100);
  const int largest = FindMenuItem(MainWindowDefinition(), "最大(&G)");
  platform().SetMenuItemDisabled(id_, largest, true);
  events_.records.clear();
  platform().PopupMenu(id_, Item(kTextSizeMenuCaption), {area.x + 50, area.y + 50});
  Settle();
  EXPECT_TRUE(events_.records.empty());
  EXPECT_EQ(main().open_popup(), nullptr);
}

}  // namespace
}  // namespace tavern::gtk::platform_test
