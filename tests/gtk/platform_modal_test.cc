// Modal windows and message boxes: the program's other windows are disabled
// meanwhile and get their enabled state back afterwards.
#include <gtest/gtest.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/messagedialog.h>

#include "app/main_window_definition.h"
#include "app/product.h"
#include "platform_test_support.h"

namespace tavern::gtk::platform_test {
namespace {

WindowDefinition Dialog() {
  WindowDefinition w;
  w.name = "dialog";
  w.caption = "首页设置";
  w.outer_width = 326;
  w.outer_height = 137;
  w.minimize_box = false;
  w.maximize_box = false;
  w.show_in_taskbar = false;
  return w;
}

// Collects the texts of the labels under `widget`.
void LabelTexts(GtkWidget* widget, std::vector<std::string>& texts) {
  if (GTK_IS_LABEL(widget)) texts.push_back(gtk_label_get_text(GTK_LABEL(widget)));
  if (GTK_IS_CONTAINER(widget)) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* child = children; child != nullptr; child = child->next) {
      LabelTexts(GTK_WIDGET(child->data), texts);
    }
    g_list_free(children);
  }
}

bool HasErrorIcon(GtkWidget* widget) {
  if (GTK_IS_IMAGE(widget) && gtk_widget_get_visible(widget)) {
    const gchar* name = nullptr;
    gtk_image_get_icon_name(GTK_IMAGE(widget), &name, nullptr);
    if (name != nullptr && std::string(name) == "dialog-error") return true;
  }
  bool found = false;
  if (GTK_IS_CONTAINER(widget)) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* child = children; child != nullptr; child = child->next) {
      found = found || HasErrorIcon(GTK_WIDGET(child->data));
    }
    g_list_free(children);
  }
  return found;
}

using PlatformModalTest = PlatformTest;

TEST_F(PlatformModalTest, RunModalDisablesTheOtherWindowsUntilTheModalOneIsGone) {
  const int32_t main_id = Load(MainWindowDefinition());
  const int32_t other_id = Load(Dialog());
  window(other_id).window().set_sensitive(false);  // already disabled: stays so
  int32_t modal_id = 0;
  bool main_enabled_meanwhile = true;
  Glib::signal_timeout().connect(
      [&] {
        for (int32_t id = 1; id < 10; ++id) {
          if (id == main_id || id == other_id || platform().window(id) == nullptr) continue;
          modal_id = id;
        }
        if (modal_id == 0) return true;
        main_enabled_meanwhile = window(main_id).window().get_sensitive();
        // A close request on the disabled main window is refused.
        GdkEvent* close = gdk_event_new(GDK_DELETE);
        close->any.window = GDK_WINDOW(g_object_ref(window(main_id).window().get_window()->gobj()));
        gtk_main_do_event(close);
        gdk_event_free(close);
        platform().CloseWindow(modal_id);
        return false;
      },
      100);
  platform().RunModal(Dialog(), events_);
  EXPECT_NE(modal_id, 0);
  EXPECT_FALSE(main_enabled_meanwhile);
  EXPECT_EQ(platform().window(modal_id), nullptr);
  Settle();
  ASSERT_NE(platform().window(main_id), nullptr);
  EXPECT_TRUE(window(main_id).window().get_sensitive());
  EXPECT_FALSE(window(other_id).window().get_sensitive());
}

TEST_F(PlatformModalTest, MessageBoxesShowCaptionTextAndIconAndDisableTheProgram) {
  const int32_t main_id = Load(MainWindowDefinition());
  struct Case {
    MessageBoxRequest request;
    std::string shown_text;
    bool error_icon;
  };
  const Case cases[] = {
      {{std::string(kAboutText), "信息：", MessageIcon::kNone, true}, "", false},
      {{"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n", "错误", MessageIcon::kError, true},
       "运行时出错!\n\n错误信息：载入启动窗口失败\n",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request.caption);
    std::string title;
    std::vector<std::string> texts;
    bool icon = false, main_enabled = true;
    Glib::signal_timeout().connect(
        [&] {
          Gtk::Window* box = platform().open_message_box();
          if (box == nullptr || !box->get_mapped()) return true;
          title = box->get_title();
          LabelTexts(GTK_WIDGET(box->gobj()), texts);
          icon = HasErrorIcon(GTK_WIDGET(box->gobj()));
          main_enabled = window(main_id).window().get_sensitive();
          static_cast<Gtk::Dialog*>(box)->response(Gtk::RESPONSE_OK);
          return false;
        },
        100);
    platform().ShowMessageBox(c.request);
    EXPECT_EQ(title, c.request.caption);
    std::string expected = c.shown_text;
    if (expected.empty()) {
      for (const char ch : c.request.text) {
        if (ch != '\r') expected += ch;
      }
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end());
    EXPECT_EQ(icon, c.error_icon);
    EXPECT_FALSE(main_enabled);
    EXPECT_TRUE(window(main_id).window().get_sensitive());
  }
}

}  // namespace
}  // namespace tavern::gtk::platform_test
